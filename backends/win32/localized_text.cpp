#include "backends/win32/localized_text.h"

#include <vector>

namespace kovrane::win32 {

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// String tables are stored in blocks of sixteen: text id N is entry N % 16
// of block N / 16 + 1, each entry its length, then its UTF-16 characters.
LPCWSTR BlockOf(UINT id) { return MAKEINTRESOURCEW(id / 16 + 1); }

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  reinterpret_cast<std::vector<LANGID>*>(found)->push_back(language);
  return TRUE;
}

// Chinese is written in two scripts, and a reader of one is not served the
// other: Taiwan, Hong Kong, Macau and zh-Hant (0x7C04) read Traditional;
// China, Singapore and zh-Hans (0x0004) Simplified. Other languages have one.
bool Traditional(LANGID language) {
  if (PRIMARYLANGID(language) != LANG_CHINESE) return false;
  switch (SUBLANGID(language)) {
    case SUBLANG_CHINESE_TRADITIONAL:
    case SUBLANG_CHINESE_HONGKONG:
    case SUBLANG_CHINESE_MACAU:
    case 0x1F:  // zh-Hant, SUBLANG_CHINESE_TRADITIONAL_NEUTRAL in newer headers
      return true;
    default:
      return false;
  }
}

LANGID ChooseLanguage(HMODULE module, UINT id) {
  std::vector<LANGID> present;
  EnumResourceLanguagesW(module, RT_STRING, BlockOf(id), AddLanguage,
                         reinterpret_cast<LONG_PTR>(&present));
  const LANGID user = GetUserDefaultUILanguage();
  for (const LANGID language : present)
    if (language == user) return language;
  for (const LANGID language : present)
    if (PRIMARYLANGID(language) == PRIMARYLANGID(user) && Traditional(language) == Traditional(user))
      return language;
  return kEnglish;
}

}  // namespace

std::wstring LocalizedText(UINT id) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC block = FindResourceExW(module, RT_STRING, BlockOf(id),
                                      ChooseLanguage(module, id));
  if (block == nullptr) return {};
  auto entry = static_cast<const wchar_t*>(LockResource(LoadResource(module, block)));
  if (entry == nullptr) return {};
  for (UINT skipped = 0; skipped < id % 16; ++skipped) entry += 1 + *entry;
  return std::wstring(entry + 1, *entry);
}

std::wstring Filled(std::wstring text, std::initializer_list<std::wstring> arguments) {
  wchar_t number = L'1';
  for (const std::wstring& argument : arguments) {
    const std::wstring placeholder{L'%', number++};
    if (const auto at = text.find(placeholder); at != std::wstring::npos)
      text.replace(at, placeholder.size(), argument);
  }
  return text;
}

}  // namespace kovrane::win32
