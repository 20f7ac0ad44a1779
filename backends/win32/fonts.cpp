#include "backends/win32/fonts.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "backends/win32/wide_text.h"
#include "window/design_record.h"

namespace kovrane::win32 {

namespace {

struct FaceChoice {
  std::wstring face;
  BYTE charset;
};

HFONT CreateReadoutFont(const FaceChoice& choice, int height) {
  return CreateFontW(height, 0, 0, 0, design::kLabelFont.weight, FALSE, FALSE, FALSE,
                     choice.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, choice.face.c_str());
}

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one match is enough
}

bool IsInstalled(HDC dc, const std::wstring& face) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  face.copy(wanted.lfFaceName, face.size());
  bool found = false;
  EnumFontFamiliesExW(dc, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

bool DrawsReadoutCharacters(HDC dc, const FaceChoice& choice) {
  HFONT font = CreateReadoutFont(choice, -32);
  if (font == nullptr) return false;
  HGDIOBJ previous = SelectObject(dc, font);
  constexpr wchar_t kCharacters[] = L"0123456789:";
  constexpr int kCount = static_cast<int>(std::size(kCharacters)) - 1;
  WORD glyphs[kCount] = {};
  const bool mapped = GetGlyphIndicesW(dc, kCharacters, kCount, glyphs,
                                       GGI_MARK_NONEXISTING_GLYPHS) == static_cast<DWORD>(kCount);
  bool allPresent = mapped;
  for (WORD glyph : glyphs) allPresent = allPresent && glyph != 0xFFFF;
  SelectObject(dc, previous);
  DeleteObject(font);
  return allPresent;
}

LOGFONTW MessageLogFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0,
                                  static_cast<UINT>(dpi))) {
    LOGFONTW fallback{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
    return fallback;
  }
  return metrics.lfMessageFont;
}

FaceChoice ChooseFace() {
  const auto shiftJis = static_cast<BYTE>(design::kLabelFont.charset);
  std::vector<FaceChoice> candidates = {
      {Widen(design::kLabelFont.family), shiftJis},
      {L"MS PGothic", shiftJis},
      {L"Meiryo", shiftJis},
      {L"Yu Gothic", shiftJis},
  };
  const FaceChoice systemFace{MessageLogFont(96).lfFaceName, DEFAULT_CHARSET};

  HDC dc = GetDC(nullptr);
  FaceChoice chosen = systemFace;
  for (const FaceChoice& candidate : candidates) {
    if (IsInstalled(dc, candidate.face) && DrawsReadoutCharacters(dc, candidate)) {
      chosen = candidate;
      break;
    }
  }
  ReleaseDC(nullptr, dc);
  return chosen;
}

int TextWidth(HFONT font, std::wstring_view text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

}  // namespace

HFONT CreateMessageFont(int dpi) {
  const LOGFONTW logFont = MessageLogFont(dpi);
  return CreateFontIndirectW(&logFont);
}

ReadoutFont::~ReadoutFont() {
  ReleaseFitted();
  if (full_ != nullptr) DeleteObject(full_);
}

void ReadoutFont::Rebuild(int dpi) {
  if (face_.empty()) {
    FaceChoice choice = ChooseFace();
    face_ = std::move(choice.face);
    charset_ = choice.charset;
  }
  ReleaseFitted();
  if (full_ != nullptr) DeleteObject(full_);
  fullHeight_ = -MulDiv(design::kLabelFont.points, dpi, 72);
  full_ = CreateReadoutFont({face_, charset_}, fullHeight_);
}

HFONT ReadoutFont::FontFor(std::wstring_view text, int boxWidth) {
  const int fullWidth = TextWidth(full_, text);
  if (fullWidth <= boxWidth || boxWidth <= 0) return full_;
  // Every digit of a Gothic face is equally wide, so one fitted font serves
  // every readout of the same length.
  if (fitted_ != nullptr && fittedLength_ == text.size() && fittedBoxWidth_ == boxWidth) {
    return fitted_;
  }
  ReleaseFitted();
  int height = std::max(1, MulDiv(std::abs(fullHeight_), boxWidth, fullWidth));
  for (;;) {
    fitted_ = CreateReadoutFont({face_, charset_}, -height);
    if (height == 1 || TextWidth(fitted_, text) <= boxWidth) break;
    DeleteObject(fitted_);
    --height;
  }
  fittedLength_ = text.size();
  fittedBoxWidth_ = boxWidth;
  return fitted_;
}

void ReadoutFont::ReleaseFitted() {
  if (fitted_ != nullptr) DeleteObject(fitted_);
  fitted_ = nullptr;
  fittedLength_ = 0;
  fittedBoxWidth_ = 0;
}

}  // namespace kovrane::win32
