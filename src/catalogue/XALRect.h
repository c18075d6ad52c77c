// Rectangles of the catalogue: displays in desktop coordinates and window positions.
#pragma once

#include <cstdint>

namespace xal {

static_assert(sizeof(int) == 4, "the catalogue's integers are 32-bit");

// Left, Top, Right, Bottom; width is Right - Left, height Bottom - Top.
struct TXALRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  friend bool operator==(const TXALRect&, const TXALRect&) = default;
};

// Edges and sizes are derived with 32-bit wrap-around, as the platform's integers do, so that
// writing Right - Left and reading Left + Width gives back Right for every rectangle, and no
// value in a file can make the arithmetic undefined.
inline int WrapAdd(int a, int b) {
  return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline int WrapSub(int a, int b) {
  return static_cast<int>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

inline int RectWidth(const TXALRect& rect) {
  return WrapSub(rect.Right, rect.Left);
}
inline int RectHeight(const TXALRect& rect) {
  return WrapSub(rect.Bottom, rect.Top);
}

}  // namespace xal
