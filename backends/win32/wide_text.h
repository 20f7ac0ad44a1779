#pragma once
// Text crosses into Windows as UTF-16: the program's own strings are UTF-8.

#include <string>
#include <string_view>

namespace kovrane::win32 {

// Raises RuntimeError (ControlFailed) on text that is not valid UTF-8.
std::wstring Widen(std::string_view utf8);

}  // namespace kovrane::win32
