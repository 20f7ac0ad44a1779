#pragma once
// The command line. The program takes no options: --help and --version
// answer on stdout, in the user's language, without opening a window, so
// they work where there is no display; every other argument is ignored.

#include <optional>
#include <string>

namespace kovrane {

// The text to print for the first --help or --version among the arguments,
// or nothing when the window should open.
std::optional<std::string> CommandLineAnswer(int argc, const char* const* argv);

}  // namespace kovrane
