// The caption of the progress bar.
#include "ProgressBarCaption.h"

#include "ProgressBarColours.h"

#include <QLocale>

namespace {

// The second, darker copy of the raised and sunken effects keeps this grey when disabled.
constexpr Colour kEffectGrey = RGBColour(128, 128, 128);

enum TextEffects { Plain = 1, Raised = 2, Sunken = 3, Outline = 4, Shadow = 5 };

}  // namespace

QString PercentText(double percent) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(percent, 'G', 15) + QLatin1Char('%');
}

std::optional<QString> CaptionFor(const ProgressBarState& state) {
    switch (state.TextStyle) {
        case 1:
            return QString::number(state.Value);
        case 2:
            return PercentText(BarPercent(state));
        case 3:
            return state.Text;
        default:
            return std::nullopt;
    }
}

QPoint CaptionPosition(int width, int height, int textWidth, int textHeight, int32_t alignment) {
    if (alignment < 1 || alignment > 9) return QPoint(0, 0);
    const double w = width, h = height, tw = textWidth, th = textHeight;
    // Columns: 1..3 left, 4..6 centre, 7..9 right; within each, top, middle, bottom.
    const int column = (alignment - 1) / 3;
    const int row = (alignment - 1) % 3;
    const int x = column == 0   ? 1
                  : column == 1 ? NearestHalfEven(w / 2 - tw / 2 - 1)
                                : NearestHalfEven(w - tw - 3);
    const int y = row == 0   ? 0
                  : row == 1 ? NearestHalfEven(h / 2 - th / 2 - 1)
                             : NearestHalfEven(h - th - 1);
    return QPoint(x, y);
}

void DrawCaption(Surface& surface, const ProgressBarState& state, const QString& caption,
                 int32_t alignment) {
    const Colour text = state.Enabled ? state.TextForeColor : GreyColour(state.TextForeColor);
    const Colour effect = state.Enabled ? state.TextEffectColor : GreyColour(state.TextEffectColor);
    surface.setForeColour(text);

    const QPoint at = CaptionPosition(surface.width(), surface.height(), surface.TextWidth(caption),
                                      surface.TextHeight(caption), alignment);
    const auto print = [&](Colour colour, int dx, int dy) {
        surface.setForeColour(colour);
        surface.setCurrentPosition(at.x() + dx, at.y() + dy);
        surface.Print(caption);
    };
    switch (state.TextEffect) {
        case Plain:
            break;
        case Raised:
            print(effect, -1, -1);
            print(kEffectGrey, 1, 1);
            break;
        case Sunken:
            print(effect, 1, 1);
            print(kEffectGrey, -1, 0);
            break;
        case Outline:
            print(effect, 1, 0);
            print(effect, -1, 0);
            print(effect, 0, -1);
            print(effect, 0, 1);
            break;
        case Shadow:
            print(effect, 1, 1);
            break;
        default:
            return;  // an unknown effect shows no caption at all
    }
    print(text, 0, 0);
}
