#pragma once
// The program's texts in the user's language, from the string tables in its
// resources: one LANGUAGE block per language, two for Chinese (Simplified
// 0x0804, Traditional 0x0404). The user's UI language is matched exactly,
// then by its primary language in the same script (Portuguese of Portugal
// reads Brazil's; Hong Kong and Macau read Traditional Chinese, Singapore
// Simplified), then English is taken. Chosen here rather than left to
// LoadString, whose fallback differs between Windows versions and wine.

#include <windows.h>

#include <initializer_list>
#include <string>

namespace kovrane::win32 {

// The text with this id in the user's language; empty when no table has it.
std::wstring LocalizedText(UINT id);

// The text with %1, %2, ... replaced by the arguments in order.
std::wstring Filled(std::wstring text, std::initializer_list<std::wstring> arguments);

}  // namespace kovrane::win32
