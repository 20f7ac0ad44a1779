#pragma once
// The command line. The program takes no options: --help and --version
// answer on stdout without opening a window, so they work where there is
// no display; every other argument is ignored.

#include <optional>
#include <string>

namespace kovrane {

// The text to print for the first --help or --version among the arguments,
// or nothing when the window should open.
std::optional<std::string> CommandLineAnswer(int argc, const char* const* argv);

}  // namespace kovrane
