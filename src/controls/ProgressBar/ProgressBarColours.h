// Colour arithmetic of the progress bar: channels, greying, lightening, 16-bit gradient
// channels and colour ramps. Every fraction-to-integer step rounds half to even.
#pragma once

#include "Surface.h"

#include <cstdint>
#include <vector>

// One pixel of a 24-bit bitmap row: blue, green, red, with nothing between pixels.
struct ColourTriple {
    uint8_t Blue = 0;
    uint8_t Green = 0;
    uint8_t Red = 0;
};
static_assert(sizeof(ColourTriple) == 3, "a ramp must copy straight into a 24-bit row");

int32_t GetRed(Colour colour);
int32_t GetGreen(Colour colour);
int32_t GetBlue(Colour colour);

// The grey of the same brightness: the mean of the three channels, where green and blue are
// read as fractions that carry the lower channels with them (so they may round up).
Colour GreyColour(Colour colour);

// Adds delta to each channel; a channel's magnitude is kept and capped at 255.
Colour LightenColour(Colour colour, int32_t delta);

// A 0..65535 channel as the signed 16-bit value a gradient vertex holds (same low 16 bits).
int16_t ToColour16(int32_t value);

// a / b, or 0 when either is 0, in single precision.
float SafeRatio(double a, double b);

// Fills ramp with Length + 1 entries blending from From (entry 0) towards To (entry Length).
// A negative Length cannot size a ramp and throws std::invalid_argument.
void BuildColourRamp(std::vector<ColourTriple>& ramp, int32_t Length, ColourTriple From,
                     ColourTriple To);
