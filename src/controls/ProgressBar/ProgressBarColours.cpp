// Colour arithmetic of the progress bar.
#include "ProgressBarColours.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace {

uint8_t RoundToByte(double value) {
    return static_cast<uint8_t>(std::clamp(std::nearbyint(value), 0.0, 255.0));
}

}  // namespace

int32_t GetRed(Colour colour) {
    return static_cast<int32_t>(colour & 0xFFu);
}
int32_t GetGreen(Colour colour) {
    return static_cast<int32_t>((colour & 0xFF00u) / 256u);
}
int32_t GetBlue(Colour colour) {
    return static_cast<int32_t>((colour & 0x00FF0000u) / 65536u);
}

Colour GreyColour(Colour colour) {
    const double red = colour % 256u;
    const double green = std::nearbyint(static_cast<double>(colour % 65536u) / 256.0);
    const double blue = std::nearbyint(static_cast<double>(colour) / 65536.0);
    const int grey = static_cast<int>(std::min(std::nearbyint((red + green + blue) / 3.0), 255.0));
    return RGBColour(grey, grey, grey);
}

Colour LightenColour(Colour colour, int32_t delta) {
    const auto channel = [delta](int64_t value) {
        return static_cast<int>(std::min<int64_t>(std::llabs(value + delta), 255));
    };
    return RGBColour(channel(colour % 256u), channel((colour / 256u) % 256u),
                     channel((colour & 0x00FF0000u) / 65536u));
}

int16_t ToColour16(int32_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(value >= 32768 ? value - 65536 : value));
}

float SafeRatio(double a, double b) {
    if (a == 0.0 || b == 0.0) return 0.0f;
    return static_cast<float>(a / b);
}

void BuildColourRamp(std::vector<ColourTriple>& ramp, int32_t Length, ColourTriple From,
                     ColourTriple To) {
    if (Length < 0) throw std::invalid_argument("a colour ramp needs a length of 0 or more");
    ramp.assign(static_cast<size_t>(Length) + 1, ColourTriple{});
    const float redStep = SafeRatio(int(To.Red) - int(From.Red), Length);
    const float greenStep = SafeRatio(int(To.Green) - int(From.Green), Length);
    const float blueStep = SafeRatio(int(To.Blue) - int(From.Blue), Length);
    for (int32_t i = 0; i <= Length; ++i) {
        ColourTriple& entry = ramp[static_cast<size_t>(i)];
        entry.Red = RoundToByte(double(redStep) * i + From.Red);
        entry.Green = RoundToByte(double(greenStep) * i + From.Green);
        entry.Blue = RoundToByte(double(blueStep) * i + From.Blue);
    }
}
