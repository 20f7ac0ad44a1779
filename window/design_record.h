#pragma once
// The window's design: what every front end builds, in the units it was
// drawn in (twips, 15 to a pixel at 96 dpi). Plain data, so each front end
// converts it with its own DPI rules.

#include <cstdint>
#include <string_view>

namespace kovrane::design {

constexpr int kTwipsPerInch = 1440;

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

struct Font {
  std::string_view family;  // UTF-8
  int points = 0;
  int weight = 400;
  int charset = 0;
};

struct Control {
  std::string_view name;
  std::string_view caption;  // UTF-8
  Rect twips;
  bool visibleAtStart = true;
  int tabIndex = 0;
};

struct Window {
  std::string_view name;
  std::string_view caption;
  int clientWidthTwips = 0;
  int clientHeightTwips = 0;
};

inline constexpr Window Form1{
    .name = "Form1",
    .caption = "Kovrane",
    .clientWidthTwips = 3060,
    .clientHeightTwips = 1695,
};

inline constexpr Control Label1{
    .name = "Label1",
    .caption = "00:00:00",
    .twips = {.left = 240, .top = 120, .width = 2535, .height = 855},
    .visibleAtStart = true,
    .tabIndex = 2,
};

inline constexpr Control Command1{
    .name = "Command1",
    .caption = "START",
    .twips = {.left = 480, .top = 1200, .width = 855, .height = 375},
    .visibleAtStart = true,
    .tabIndex = 0,
};

inline constexpr Control Command2{
    .name = "Command2",
    .caption = "STOP",
    .twips = {.left = 1800, .top = 1200, .width = 855, .height = 375},
    .visibleAtStart = false,
    .tabIndex = 1,
};

inline constexpr Font kLabelFont{
    .family = "ＭＳ Ｐゴシック",
    .points = 36,
    .weight = 400,
    .charset = 128,  // Shift-JIS
};

inline constexpr Colour kLabelColour{.red = 0, .green = 0, .blue = 128};

}  // namespace kovrane::design
