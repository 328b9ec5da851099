// Window geometry is laid out in twips (1/1440 inch), 15 to the pixel at 96 dots per inch.
#pragma once

#include <QRect>
#include <cmath>

constexpr int TwipsPerPixel = 15;

inline int PixelsFromTwipsValue(int twips) {
    return static_cast<int>(std::nearbyint(static_cast<double>(twips) / TwipsPerPixel));
}

inline int TwipsFromPixels(int pixels) { return pixels * TwipsPerPixel; }

// A rectangle given as left, top, width, height in twips.
inline QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(PixelsFromTwipsValue(left), PixelsFromTwipsValue(top), PixelsFromTwipsValue(width),
                 PixelsFromTwipsValue(height));
}
