#pragma once

// The layout rules of the window were measured in twips (1/1440 inch). A twip distance becomes
// 1/15 pixel on a 96-DPI screen; on denser screens the pixel count grows with the logical DPI, so
// the same rule covers the same physical distance everywhere. Every conversion goes through here.

namespace dw::twips {

inline constexpr double kPerPixelAt96Dpi = 15.0;
inline constexpr double kBaseDpi = 96.0;

inline double toPixels(double twips, double logicalDpi = kBaseDpi)
{
    return twips / kPerPixelAt96Dpi * (logicalDpi / kBaseDpi);
}

inline double fromPixels(double pixels, double logicalDpi = kBaseDpi)
{
    return pixels * kPerPixelAt96Dpi * (kBaseDpi / logicalDpi);
}

} // namespace dw::twips
