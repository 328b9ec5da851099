// The caption of the progress bar: which text it shows, where it sits and the effect drawn
// under it.
#pragma once

#include "ProgressBarState.h"
#include "Surface.h"

#include <QPoint>
#include <QString>
#include <optional>

// Value * 100 / Max as the bar shows it: whole numbers without a decimal point, others with up
// to 15 significant digits, no trailing zeros and the locale's decimal separator, then "%".
QString PercentText(double percent);

// The caption TextStyle selects (the number, the percentage or Text), or none.
std::optional<QString> CaptionFor(const ProgressBarState& state);

// Top-left corner of a textWidth x textHeight caption on a width x height bar for an
// alignment of 1..9; any other alignment puts it at (0, 0).
QPoint CaptionPosition(int width, int height, int textWidth, int textHeight, int32_t alignment);

// Prints caption with the state's effect and colours in the surface's font; greyed when the
// bar is disabled. Leaves the surface's fore colour at the text colour.
void DrawCaption(Surface& surface, const ProgressBarState& state, const QString& caption,
                 int32_t alignment);
