// Text on the drawing surface: Print keeps the last text shaped, so what it draws must stay what
// drawing the text straight onto the image draws, whatever was printed before.
#include "Surface.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QPainter>

namespace {

constexpr Colour kInk = RGBColour(20, 40, 160), kPaper = RGBColour(250, 250, 240);
const QColor kInkColour(20, 40, 160), kPaperColour(250, 250, 240);

// Each line drawn with QPainter, its top-left corner at (x, y + line height * line index).
QImage DrawnStraight(const QFont& font, const QString& text, int x, int y) {
    QImage image(160, 60, QImage::Format_RGB32);
    image.fill(kPaperColour);
    const QFont imageFont(font, &image);
    const QFontMetrics metrics(imageFont);
    QPainter painter(&image);
    painter.setFont(imageFont);
    painter.setPen(kInkColour);
    for (const QString& line : text.split(u'\n')) {
        painter.drawText(x, y + metrics.ascent(), line);
        y += metrics.height();
    }
    return image;
}

TEST(SurfaceText, PrintDrawsWhatDrawingTheTextStraightDraws) {
    const QFont sans(QStringLiteral("DejaVu Sans"), 9), serif(QStringLiteral("DejaVu Serif"), 13);
    const QString texts[] = {QStringLiteral("Getting Genre TopTen"), QStringLiteral("47%"),
                             QStringLiteral("two\nlines"), QStringLiteral("tab\there"),
                             QStringLiteral("line\u2028separator"), QStringLiteral("Ürün & Φωνή"),
                             QString()};
    Surface surface;
    surface.setBackColour(kPaper);
    surface.resize(160, 60);
    surface.setForeColour(kInk);
    // Every text twice in a row (the second drawn from what the first shaped), then twice in
    // the other font, so that each print follows the same text in another font or another text.
    for (const QString& text : texts) {
        for (const QFont& font : {sans, serif}) {
            surface.setFont(font);
            for (int repeat = 0; repeat < 2; ++repeat) {
                surface.clear();
                surface.setCurrentPosition(7, 3);
                surface.Print(text);
                EXPECT_EQ(surface.image(), DrawnStraight(font, text, 7, 3))
                    << text.toStdString() << " in " << font.family().toStdString() << ", print "
                    << repeat + 1;
            }
        }
    }
}

}  // namespace
