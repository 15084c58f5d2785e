// Where the updater window's parts stand, in pixels of the client area. The layout was drawn
// in dialog units of a 9-point 宋体 font (1.5 pixels per unit each way); the client area is
// exactly the background picture, so with its frame the window is 409 x 273.
#pragma once

#include <QRect>
#include <QSize>

namespace lmn::updater {

inline constexpr QSize kClientSize(403, 247);
inline constexpr QRect kStatusRect(16, 211, 306, 31);  // 11,141 size 204 x 21 units
inline constexpr QRect kSkipRect(328, 208, 63, 24);    // 219,139 size 42 x 16 units
inline constexpr QRect kProgressRect(16, 198, 306, 9);
inline constexpr int kStatusTickMs = 10;

}  // namespace lmn::updater
