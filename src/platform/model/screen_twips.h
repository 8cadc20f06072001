#pragma once
// Screen measures are kept in twips, 15 to a pixel: the windows place
// themselves by it and the grid sizes its rows by it.

namespace km::platform {

inline constexpr int twips_per_pixel = 15;

}  // namespace km::platform
