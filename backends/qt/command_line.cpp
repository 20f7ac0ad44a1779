#include "backends/qt/command_line.h"

#include <string_view>

namespace kovrane {

namespace {

constexpr std::string_view kHelp =
    "Kovrane: a desktop stopwatch that counts up in whole seconds.\n"
    "\n"
    "Usage: kovrane [--help | --version]\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Any other argument is ignored. START counts up from the time shown and STOP\n"
    "pauses it; Space presses whichever of the two is shown.\n"
    "\n"
    "Exit status: 0 when the window is closed, and after --help or --version;\n"
    "1 when no window can be opened or a run-time error was shown.\n";

// KOVRANE_VERSION is the project's version, given by the build.
constexpr std::string_view kVersion =
    "Kovrane " KOVRANE_VERSION "\n"
    "Copyright (c) 2026 The Kovrane developers\n"
    "MIT License: free to use, change and share; no warranty.\n";

}  // namespace

std::optional<std::string> CommandLineAnswer(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help") return std::string(kHelp);
    if (argument == "--version") return std::string(kVersion);
  }
  return std::nullopt;
}

}  // namespace kovrane
