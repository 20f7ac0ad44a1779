#pragma once
// Fonts of the window. Buttons take the system's message font; the readout
// takes the design's Japanese Gothic at its point size, or the first
// installed replacement that really draws digits (wine's own fallback for
// the Shift-JIS character set draws them as empty boxes), and shrinks when
// a long readout (100 hours and more) would not fit its box.

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace kovrane::win32 {

// The caller owns the font.
HFONT CreateMessageFont(int dpi);

class ReadoutFont {
 public:
  ReadoutFont() = default;
  ~ReadoutFont();
  ReadoutFont(const ReadoutFont&) = delete;
  ReadoutFont& operator=(const ReadoutFont&) = delete;

  // Makes the full-size font for this DPI, choosing the face on first use.
  void Rebuild(int dpi);
  // The full-size font if text fits boxWidth pixels, else a smaller one
  // that does. Owned by this object; valid until the next Rebuild.
  HFONT FontFor(std::wstring_view text, int boxWidth);

 private:
  void ReleaseFitted();

  std::wstring face_;
  BYTE charset_ = DEFAULT_CHARSET;
  int fullHeight_ = 0;  // negative: character height in pixels
  HFONT full_ = nullptr;
  HFONT fitted_ = nullptr;
  std::size_t fittedLength_ = 0;
  int fittedBoxWidth_ = 0;
};

}  // namespace kovrane::win32
