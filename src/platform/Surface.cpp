// Surface: our own rasteriser for the classic 2-D drawing calls on a 32-bit QImage. The shapes
// must cover exactly the pixels the controls' pictures were designed against, so nothing here
// goes through QPainter except text.
#include "Surface.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

QRgb PixelFromColour(Colour colour) {
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Colour ColourFromPixel(QRgb pixel) {
    return RGBColour(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

struct Point {
    int x;
    int y;
    bool operator==(const Point&) const = default;
};

// One horizontal band of a region: rows top..bottom-1, columns left..right-1.
struct Band {
    int top;
    int bottom;
    int left;
    int right;
};

// Where the shapes paint: the logical image and, at ratios above 1, the device image, where a
// logical pixel covers the block of device pixels between the rounded ends of its edges.
struct Canvas {
    QImage& image;
    QImage* device;
    qreal ratio;
};

int DeviceEdge(int logical, qreal ratio) {
    return static_cast<int>(std::lround(logical * ratio));
}

void FillRect(QImage& image, int left, int top, int right, int bottom, QRgb pixel) {
    left = std::max(left, 0);
    right = std::min(right, image.width());
    top = std::max(top, 0);
    bottom = std::min(bottom, image.height());
    if (left >= right || top >= bottom) return;
    for (int y = top; y < bottom; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + left, line + right, pixel);
    }
}

void FillBand(Canvas& canvas, Band band, Colour colour) {
    const QRgb pixel = PixelFromColour(colour);
    FillRect(canvas.image, band.left, band.top, band.right, band.bottom, pixel);
    if (canvas.device != nullptr)
        FillRect(*canvas.device, DeviceEdge(band.left, canvas.ratio),
                 DeviceEdge(band.top, canvas.ratio), DeviceEdge(band.right, canvas.ratio),
                 DeviceEdge(band.bottom, canvas.ratio), pixel);
}

Canvas CanvasOf(QImage& image, QImage& device, qreal ratio) {
    return {image, device.isNull() ? nullptr : &device, ratio};
}

void Plot(Canvas& canvas, int x, int y, QRgb pixel) {
    if (x < 0 || y < 0 || x >= canvas.image.width() || y >= canvas.image.height()) return;
    reinterpret_cast<QRgb*>(canvas.image.scanLine(y))[x] = pixel;
    if (canvas.device != nullptr)
        FillRect(*canvas.device, DeviceEdge(x, canvas.ratio), DeviceEdge(y, canvas.ratio),
                 DeviceEdge(x + 1, canvas.ratio), DeviceEdge(y + 1, canvas.ratio), pixel);
}

// A pen segment paints its start pixel and every pixel up to, but not including, its end pixel;
// a segment of zero length paints nothing.
void StrokeSegment(Canvas& image, Point from, Point to, Colour colour) {
    if (from == to) return;
    if (from.y == to.y) {
        const Band run = from.x < to.x ? Band{from.y, from.y + 1, from.x, to.x}
                                       : Band{from.y, from.y + 1, to.x + 1, from.x + 1};
        FillBand(image, run, colour);
        return;
    }
    if (from.x == to.x) {
        const Band run = from.y < to.y ? Band{from.y, to.y, from.x, from.x + 1}
                                       : Band{to.y + 1, from.y + 1, from.x, from.x + 1};
        FillBand(image, run, colour);
        return;
    }
    // Slanted segments only occur one pixel long in the corners of rounded shapes; a plain
    // Bresenham walk is exact for those.
    const QRgb pixel = PixelFromColour(colour);
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1;
    const int sy = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    Point at = from;
    while (!(at == to)) {
        Plot(image, at.x, at.y, pixel);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            at.y += sy;
        }
    }
}

void StrokeClosedPolygon(Canvas& image, const std::vector<Point>& points, Colour colour) {
    for (size_t i = 0; i < points.size(); ++i)
        StrokeSegment(image, points[i], points[(i + 1) % points.size()], colour);
}

// The points of one quarter of a w x h ellipse, from the middle of its right side
// ((w-1, h/2)) round to the middle of its bottom side, by an integer midpoint walk.
std::vector<Point> QuarterEllipse(int w, int h) {
    const long long a = w - 1;
    const long long b = h - 1;
    const long long a8 = 8 * a * a;
    const long long b8 = 8 * b * b;
    long long dx = 4 * b * b * (1 - a);
    long long dy = 4 * a * a * (1 + b % 2);
    long long error = dx + dy + a * a * (b % 2);
    int x = w - 1;
    int y = h / 2;
    std::vector<Point> points;
    while (x >= w / 2) {
        points.push_back({x, y});
        const long long twice = 2 * error;
        const long long dyBefore = dy;
        if (twice >= dx) {
            --x;
            dx += b8;
            error += dx;
        }
        if (twice <= dyBefore) {
            ++y;
            dy += a8;
            error += dy;
        }
    }
    return points;
}

// The size of a corner ellipse within a side of this length; either sign means the same size.
// In 64 bits, since -2147483648 has no 32-bit magnitude.
int EllipseExtent(int side, int ellipse) {
    return static_cast<int>(std::min<int64_t>(side, std::llabs(int64_t{ellipse})));
}

void Normalise(int& left, int& top, int& right, int& bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
}

// The bands of a rounded-rectangle region over columns left..right-2 and rows top..bottom-2,
// the window-shape rules: corners below 2 pixels give a plain rectangle.
std::vector<Band> RoundRectBands(int left, int top, int right, int bottom, int ellipseWidth,
                                 int ellipseHeight) {
    Normalise(left, top, right, bottom);
    const int innerRight = right - 1;
    const int innerBottom = bottom - 1;
    if (innerRight <= left || innerBottom <= top) return {};
    const int ew = EllipseExtent(innerRight - left, ellipseWidth);
    const int eh = EllipseExtent(innerBottom - top, ellipseHeight);
    if (ew < 2 || eh < 2) return {{top, innerBottom, left, innerRight}};

    // Inset of each row of the lower half of the corner box, counted inward from the side;
    // the first point the walk reaches on a row is the outermost one.
    const int half = eh / 2;
    std::vector<int> inset(eh, -1);
    for (const Point& point : QuarterEllipse(ew, eh))
        if (point.y < eh && inset[point.y] < 0) inset[point.y] = ew - 1 - point.x;
    for (int row = half; row < eh; ++row)  // rows a stretched ellipse never reached
        if (inset[row] < 0) inset[row] = row > half ? inset[row - 1] : 0;

    std::vector<Band> bands;
    const auto addRow = [&](int y, int rowInset) {
        if (left + rowInset < innerRight - rowInset)
            bands.push_back({y, y + 1, left + rowInset, innerRight - rowInset});
    };
    for (int i = 0; i < half; ++i) addRow(top + i, inset[eh - 1 - i]);
    bands.push_back({top + half, innerBottom - eh + half + 1, left, innerRight});
    for (int row = half + 1; row < eh; ++row) addRow(innerBottom - eh + row, inset[row]);
    return bands;
}

}  // namespace

Surface::Surface(int width, int height) {
    resize(width, height);
}

void Surface::resize(int width, int height, qreal ratio) {
    m_measured = false;
    m_ratio = ratio > 1 ? ratio : 1;
    m_device = QImage();
    if (width <= 0 || height <= 0) {
        m_image = QImage();
        return;
    }
    m_image = QImage(width, height, QImage::Format_RGB32);
    if (m_ratio > 1) {
        m_device =
            QImage(DeviceEdge(width, m_ratio), DeviceEdge(height, m_ratio), QImage::Format_RGB32);
        m_device.setDevicePixelRatio(m_ratio);
    }
    m_imageFont = QFont(m_font, &m_image);
    m_shaped = false;
    clear();
}

void Surface::setFont(const QFont& font) {
    m_font = font;
    if (!m_image.isNull()) m_imageFont = QFont(m_font, &m_image);
    m_measured = false;
    m_shaped = false;
}

QFontMetrics Surface::imageMetrics() const {
    return m_image.isNull() ? QFontMetrics(m_font) : QFontMetrics(m_imageFont);
}

int Surface::width() const {
    return m_image.width();
}

int Surface::height() const {
    return m_image.height();
}

void Surface::clear() {
    if (!m_image.isNull()) m_image.fill(PixelFromColour(m_backColour));
    if (!m_device.isNull()) m_device.fill(PixelFromColour(m_backColour));
}

void Surface::Rectangle(int left, int top, int right, int bottom) {
    Normalise(left, top, right, bottom);
    if (left == right || top == bottom) return;
    Canvas canvas = CanvasOf(m_image, m_device, m_ratio);
    if (m_fillStyle != 1)
        FillBand(canvas, {top + 1, bottom - 1, left + 1, right - 1}, m_fillColour);
    StrokeClosedPolygon(
        canvas, {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}},
        m_foreColour);
}

void Surface::RoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight) {
    Normalise(left, top, right, bottom);
    if (left == right || top == bottom) return;
    const int ew = EllipseExtent(right - left, ellipseWidth);
    const int eh = EllipseExtent(bottom - top, ellipseHeight);
    if (ew <= 2 || eh <= 2) {
        Rectangle(left, top, right, bottom);
        return;
    }
    // The brush fills the matching window-shape region, which reaches exactly to the outline.
    Canvas canvas = CanvasOf(m_image, m_device, m_ratio);
    if (m_fillStyle != 1)
        for (const Band& band : RoundRectBands(left, top, right + 1, bottom + 1, ew, eh))
            FillBand(canvas, band, m_fillColour);

    // The outline: the top-right corner, its mirror at the left, then the mirror of both at
    // the bottom, walked as one closed polygon.
    std::vector<Point> outline;
    const auto append = [&](Point point) {
        if (outline.empty() || !(outline.back() == point)) outline.push_back(point);
    };
    for (const Point& point : QuarterEllipse(ew, eh))
        append({right - ew + point.x, top + eh - 1 - point.y});
    const size_t corner = outline.size();
    for (size_t i = corner; i-- > 0;) append({left + right - 1 - outline[i].x, outline[i].y});
    const size_t upper = outline.size();
    for (size_t i = upper; i-- > 0;) append({outline[i].x, top + bottom - 1 - outline[i].y});
    if (outline.size() > 1 && outline.back() == outline.front()) outline.pop_back();
    StrokeClosedPolygon(canvas, outline, m_foreColour);
}

void Surface::GradientFill(const GradientVertex& upperLeft, const GradientVertex& lowerRight,
                           GradientMode mode) {
    if (m_image.isNull()) return;
    const bool horizontal = mode == GradientMode::Horizontal;
    const auto along = [horizontal](const GradientVertex& v) { return horizontal ? v.x : v.y; };
    const auto across = [horizontal](const GradientVertex& v) { return horizontal ? v.y : v.x; };
    const GradientVertex* first = &upperLeft;
    const GradientVertex* last = &lowerRight;
    if (along(*last) < along(*first)) std::swap(first, last);

    const long long start = along(*first);
    const long long length = static_cast<long long>(along(*last)) - start;
    const int acrossFrom = std::min(across(*first), across(*last));
    const int acrossTo = std::max(across(*first), across(*last));
    if (length == 0 || acrossFrom == acrossTo) return;

    const int limitAlong = horizontal ? m_image.width() : m_image.height();
    const int limitAcross = horizontal ? m_image.height() : m_image.width();
    const long long fromPos = std::max<long long>(start, 0);
    const long long toPos = std::min<long long>(along(*last), limitAlong);
    const int fromAcross = std::max(acrossFrom, 0);
    const int toAcross = std::min(acrossTo, limitAcross);
    const auto channel = [&](uint16_t c0, uint16_t c1, long long pos) {
        return static_cast<int>((c0 * (length - pos) + c1 * pos) / length / 256);
    };
    if (fromPos >= toPos || fromAcross >= toAcross) return;
    const auto colourAt = [&](long long p) {
        const long long pos = p - start;
        return qRgb(channel(first->red, last->red, pos), channel(first->green, last->green, pos),
                    channel(first->blue, last->blue, pos));
    };
    // Whole rows at a time, from the image's bits taken once: QImage::scanLine checks for
    // sharing on every call, which cost more than the gradient itself.
    uchar* const bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    const auto row = [bits, stride](long long y) {
        return reinterpret_cast<QRgb*>(bits + y * stride);
    };
    if (horizontal) {
        std::vector<QRgb> colours;
        colours.reserve(static_cast<size_t>(toPos - fromPos));
        for (long long p = fromPos; p < toPos; ++p) colours.push_back(colourAt(p));
        for (int y = fromAcross; y < toAcross; ++y)
            std::copy(colours.begin(), colours.end(), row(y) + fromPos);
    } else {
        for (long long p = fromPos; p < toPos; ++p)
            std::fill(row(p) + fromAcross, row(p) + toAcross, colourAt(p));
    }
    const int alongFrom = static_cast<int>(fromPos);
    const int alongTo = static_cast<int>(toPos);
    mirror(horizontal ? QRect(alongFrom, fromAcross, alongTo - alongFrom, toAcross - fromAcross)
                      : QRect(fromAcross, alongFrom, toAcross - fromAcross, alongTo - alongFrom));
}

Colour Surface::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height()) return InvalidColour;
    return ColourFromPixel(reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x]);
}

void Surface::SetPixelV(int x, int y, Colour colour) {
    Canvas canvas = CanvasOf(m_image, m_device, m_ratio);
    Plot(canvas, x, y, PixelFromColour(colour));
}

void Surface::SetDIBitsRow(int x, int y, int width, const uint8_t* bgrRow) {
    if (y < 0 || y >= m_image.height() || bgrRow == nullptr) return;
    const int from = std::max(x, 0);
    const int to = std::min(x + width, m_image.width());
    QRgb* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
    for (int column = from; column < to; ++column) {
        const uint8_t* bgr = bgrRow + 3 * (column - x);
        line[column] = qRgb(bgr[2], bgr[1], bgr[0]);
    }
    mirror(QRect(from, y, to - from, 1));
}

void Surface::mirror(const QRect& logical) {
    if (m_device.isNull() || logical.isEmpty()) return;
    std::vector<int> columnEdges;
    for (int x = logical.left(); x <= logical.right() + 1; ++x)
        columnEdges.push_back(DeviceEdge(x, m_ratio));
    for (int y = logical.top(); y <= logical.bottom(); ++y) {
        const QRgb* source = reinterpret_cast<const QRgb*>(m_image.constScanLine(y));
        for (int x = logical.left(); x <= logical.right(); ++x) {
            const size_t i = static_cast<size_t>(x - logical.left());
            FillRect(m_device, columnEdges[i], DeviceEdge(y, m_ratio), columnEdges[i + 1],
                     DeviceEdge(y + 1, m_ratio), source[x]);
        }
    }
}

void Surface::setCurrentPosition(int x, int y) {
    m_currentX = x;
    m_currentY = y;
}

// Like the desktop's Print: the text's top-left corner sits at the current position, each
// line break starts a new line at the same x, and afterwards the position is at the start of
// the next line (x 0).
void Surface::Print(const QString& text) {
    const QFontMetrics metrics = imageMetrics();
    const int lines = static_cast<int>(text.count(QLatin1Char('\n')) + 1);
    if (!m_image.isNull()) {
        if (!m_shaped || m_shapedText != text) shapeForPrint(text);
        QPainter painter(&m_image);
        printLines(painter, metrics);
        // The same text on the device image, whose ratio scales the painter: the glyphs are
        // drawn at the device's resolution rather than enlarged.
        if (!m_device.isNull()) {
            QPainter device(&m_device);
            printLines(device, metrics);
        }
    }
    m_currentX = 0;
    m_currentY += metrics.height() * lines;
}

void Surface::printLines(QPainter& painter, const QFontMetrics& metrics) const {
    painter.setPen(QColor(PixelFromColour(m_foreColour)));
    painter.setFont(m_imageFont);
    int y = m_currentY;
    for (const PrintLine& line : m_shapedLines) {
        const QPointF baseline(m_currentX, y + metrics.ascent());
        if (!line.shaped) painter.drawText(baseline, line.text);
        for (const QGlyphRun& run : line.runs) painter.drawGlyphRun(baseline, run);
        y += metrics.height();
    }
}

// Shapes each line as one unwrapped line, as drawing the line's text straight away would.
void Surface::shapeForPrint(const QString& text) {
    m_shapedLines.clear();
    QTextOption unwrapped;
    unwrapped.setWrapMode(QTextOption::NoWrap);
    for (const QString& part : text.split(QLatin1Char('\n'))) {
        PrintLine line;
        line.text = part;
        line.shaped = !part.contains(QLatin1Char('\t')) && !part.contains(QChar::LineSeparator);
        if (line.shaped) {
            QTextLayout layout(part, m_imageFont, &m_image);
            layout.setTextOption(unwrapped);
            layout.beginLayout();
            const QTextLine shaped = layout.createLine();
            layout.endLayout();
            line.runs = layout.glyphRuns();
            // The runs come placed on the line's own baseline; Print puts them on the font's.
            for (QGlyphRun& run : line.runs) {
                QList<QPointF> positions = run.positions();
                for (QPointF& position : positions) position.ry() -= shaped.ascent();
                run.setPositions(positions);
            }
        }
        m_shapedLines.append(line);
    }
    m_shapedText = text;
    m_shaped = true;
}

int Surface::TextWidth(const QString& text) const {
    // A caption is measured on every paint and seldom changes: the last answer is kept.
    if (m_measured && m_measuredText == text) return m_measuredWidth;
    const QFontMetrics metrics = imageMetrics();
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    m_measured = true;
    m_measuredText = text;
    m_measuredWidth = widest;
    return widest;
}

int Surface::TextHeight(const QString& text) const {
    const QFontMetrics metrics = imageMetrics();
    return metrics.height() * static_cast<int>(text.count(QLatin1Char('\n')) + 1);
}

QRegion Surface::RoundRectRegion(int left, int top, int right, int bottom, int ellipseWidth,
                                 int ellipseHeight) {
    QRegion region;
    for (const Band& band : RoundRectBands(left, top, right, bottom, ellipseWidth, ellipseHeight))
        region += QRect(band.left, band.top, band.right - band.left, band.bottom - band.top);
    return region;
}
