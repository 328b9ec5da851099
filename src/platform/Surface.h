// Surface: a retained 32-bit drawing surface with the pixel rules of the desktop's classic 2-D
// drawing calls (outlines, fills, rounded rectangles, gradients, single pixels, 24-bit rows),
// text through QPainter, and the rounded-rectangle window shape as a QRegion.
// On a screen with more than one device pixel to the logical pixel the surface also keeps a
// picture at the device's resolution: every shape there covers the blocks of its logical
// pixels, and text is drawn at the device's resolution, so captions stay crisp.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QRegion>
#include <QString>
#include <cstdint>

// A colour number laid out 0x00BBGGRR: red in the low byte, then green, then blue.
using Colour = uint32_t;
constexpr Colour InvalidColour = 0xFFFFFFFFu;  // what reading outside the surface yields

constexpr Colour RGBColour(int red, int green, int blue) {
    return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// One vertex of a gradient rectangle: a position and 16-bit colour channels (0xFF00 is full).
struct GradientVertex {
    int x = 0;
    int y = 0;
    uint16_t red = 0;
    uint16_t green = 0;
    uint16_t blue = 0;
    uint16_t alpha = 0;
};

enum class GradientMode { Horizontal = 0, Vertical = 1 };

class QPainter;

class Surface {
public:
    Surface() = default;
    Surface(int width, int height);

    // Resizing keeps nothing: the new surface is cleared to the back colour. Width and height
    // are logical pixels; ratio is device pixels per logical pixel.
    void resize(int width, int height, qreal ratio = 1);
    int width() const;
    int height() const;
    qreal devicePixelRatio() const { return m_ratio; }
    // The logical pixels, which every drawing call and GetPixel work on.
    const QImage& image() const { return m_image; }
    // The picture to show: at ratio 1 the logical image itself, above it the same picture at
    // the device's resolution (the image carries the ratio, so it paints at the logical size).
    const QImage& deviceImage() const { return m_device.isNull() ? m_image : m_device; }

    // Drawing state.
    void setBackColour(Colour colour) { m_backColour = colour; }
    Colour backColour() const { return m_backColour; }
    void setForeColour(Colour colour) { m_foreColour = colour; }  // outlines and text
    Colour foreColour() const { return m_foreColour; }
    void setFillColour(Colour colour) { m_fillColour = colour; }
    Colour fillColour() const { return m_fillColour; }
    void setFillStyle(int style) { m_fillStyle = style; }  // 0 solid, 1 hollow (outline only)
    int fillStyle() const { return m_fillStyle; }
    void setFont(const QFont& font);
    QFont font() const { return m_font; }

    // Fills the whole surface with the back colour.
    void clear();

    // Outline in the fore colour, inside in the fill colour unless the fill style is hollow;
    // the shape covers columns left..right-1 and rows top..bottom-1.
    void Rectangle(int left, int top, int right, int bottom);
    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    // A two-vertex gradient rectangle, blending between the vertices' colours.
    void GradientFill(const GradientVertex& upperLeft, const GradientVertex& lowerRight,
                      GradientMode mode);
    // InvalidColour outside the surface.
    Colour GetPixel(int x, int y) const;
    // Ignored outside the surface.
    void SetPixelV(int x, int y, Colour colour);
    // Copies one 24-bit row (B, G, R bytes per pixel) of width pixels to (x, y), clipped.
    void SetDIBitsRow(int x, int y, int width, const uint8_t* bgrRow);

    // Text in the fore colour and the surface font, at the current position, background left.
    void setCurrentPosition(int x, int y);
    void Print(const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

    // The region of a rounded-rectangle window shape (columns left..right-2, rows top..bottom-2).
    static QRegion RoundRectRegion(int left, int top, int right, int bottom, int ellipseWidth,
                                   int ellipseHeight);

private:
    // Copies logical pixels, already drawn, to their blocks of the device image.
    void mirror(const QRect& logical);
    void printLines(QPainter& painter, const QFontMetrics& metrics) const;

    QImage m_image;
    QImage m_device;  // null at ratio 1
    qreal m_ratio = 1;
    Colour m_backColour = 0;
    Colour m_foreColour = 0;
    Colour m_fillColour = 0;
    int m_fillStyle = 0;
    QFont m_font;
    // m_font as the image's resolution sees it, made once: measuring or drawing with m_font
    // itself resolves it for the image again each time, which cost more than the drawing.
    QFont m_imageFont;
    QFontMetrics imageMetrics() const;
    // The text TextWidth measured last, and its width, for the font and image of now.
    mutable bool m_measured = false;
    mutable QString m_measuredText;
    mutable int m_measuredWidth = 0;
    // The text Print drew last, shaped for the font and image of now: one list of glyph runs a
    // line, the baseline at y 0. A caption is printed again on every paint, and shaping it
    // afresh cost more than all the rest of the bar's picture.
    // A line holding a tab or a line separator is drawn as text each time: laid out, those
    // would move or break the rest of the line.
    struct PrintLine {
        QString text;
        bool shaped = false;
        QList<QGlyphRun> runs;
    };
    bool m_shaped = false;
    QString m_shapedText;
    QList<PrintLine> m_shapedLines;
    void shapeForPrint(const QString& text);
    int m_currentX = 0;
    int m_currentY = 0;
};
