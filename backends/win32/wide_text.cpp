#include "backends/win32/wide_text.h"

#include <windows.h>

#include <climits>

#include "runtime/runtime_error.h"

namespace kovrane::win32 {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  if (utf8.size() > static_cast<std::size_t>(INT_MAX)) RaiseControlFailed("text too long");
  const int inputLength = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inputLength,
                                         nullptr, 0);
  if (length <= 0) RaiseControlFailed("text is not UTF-8");
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inputLength, wide.data(),
                      length);
  return wide;
}

}  // namespace kovrane::win32
