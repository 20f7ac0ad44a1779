#include "backends/qt/command_line.h"

#include <string_view>

#include "backends/qt/translations.h"

namespace kovrane {

namespace {

constexpr const char* kContext = "kovrane::CommandLine";

constexpr const char* kHelp = QT_TRANSLATE_NOOP(
    "kovrane::CommandLine",
    "Kovrane: a desktop stopwatch that counts up in whole seconds.\n"
    "\n"
    "Usage: kovrane [--help | --version]\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Any other argument is ignored. START counts up from the time shown and STOP\n"
    "pauses it; Space acts as a click on whichever button is shown.\n"
    "\n"
    "Exit status: 0 when the window is closed, and after --help or --version;\n"
    "1 when no window can be opened or a run-time error was shown.\n");

constexpr const char* kLicence = QT_TRANSLATE_NOOP(
    "kovrane::CommandLine",
    "Copyright (c) 2026 The Kovrane developers\n"
    "MIT License: free to use, change and share; no warranty.\n");

}  // namespace

std::optional<std::string> CommandLineAnswer(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help") return Translate(kContext, kHelp).toStdString();
    // KOVRANE_VERSION is the project's version, given by the build.
    if (argument == "--version")
      return "Kovrane " KOVRANE_VERSION "\n" + Translate(kContext, kLicence).toStdString();
  }
  return std::nullopt;
}

}  // namespace kovrane
