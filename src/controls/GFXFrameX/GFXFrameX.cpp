// GFXFrameX: property values, their storage, and the triggers that repaint the frame.
#include "GFXFrameX.h"

#include "PropertyBag.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <limits>

namespace {

// Default values of the stored properties; FillColour and BackColour default to the host's
// background instead.
constexpr int32_t kDefaultFrameStyle = 1;
constexpr int16_t kDefaultShadowOpacity = 50;
constexpr bool kDefaultShowShadow = true;
constexpr int16_t kDefaultShadowDepth = 5;
constexpr int32_t kDefaultBackColourIs = 0;
constexpr Colour kDefaultBorderColour = 0;
constexpr int16_t kDefaultCornerDepth = 10;

// A stored whole number, saturated to the property's type rather than wrapped when it does
// not fit (a store is written by hand as easily as by the program).
template <typename T>
T ReadWhole(const PropertyBag& bag, const char* name, T defaultValue) {
    const qint64 value =
        bag.ReadProperty(QLatin1String(name), QVariant::fromValue<qint64>(defaultValue))
            .toLongLong();
    return static_cast<T>(
        std::clamp<qint64>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

// A stored colour number; both the signed and the unsigned reading of the 32 bits are accepted.
Colour ReadColour(const PropertyBag& bag, const char* name, Colour defaultValue) {
    const qint64 value =
        bag.ReadProperty(QLatin1String(name), QVariant::fromValue<qint64>(defaultValue))
            .toLongLong();
    return static_cast<Colour>(static_cast<uint64_t>(value));
}

}  // namespace

GFXFrameX::GFXFrameX(QWidget* parent) : QWidget(parent) {
    InitProperties();
    watchHost();
}

void GFXFrameX::setFrameStyle(int32_t vNewValue) {
    m_properties.FrameStyle = vNewValue;
    changed("FrameStyle");
}

void GFXFrameX::setShadowOpacity(int16_t vNewValue) {
    m_properties.ShadowOpacity = std::clamp<int16_t>(vNewValue, 0, 100);
    changed("ShadowOpacity");
}

void GFXFrameX::setShowShadow(bool vNewValue) {
    m_properties.ShowShadow = vNewValue;
    changed("ShowShadow");
}

// Depths from 41 up jump to 50: the setter has always behaved so, and stored frames rely on it.
void GFXFrameX::setShadowDepth(int16_t vNewValue) {
    m_properties.ShadowDepth = vNewValue < 2    ? int16_t{2}
                               : vNewValue > 40 ? int16_t{50}
                                                : vNewValue;
    changed("ShadowDepth");
}

void GFXFrameX::setFillColour(Colour vNewValue) {
    m_properties.FillColour = vNewValue;
    changed("FillColour");
}

void GFXFrameX::setBackColour(Colour vNewValue) {
    m_properties.BackColour = vNewValue;
    changed("BackColour");
}

void GFXFrameX::setBackColourIs(int32_t vNewValue) {
    m_properties.BackColourIs = vNewValue;
    changed("BackColourIs");
}

void GFXFrameX::setBorderColour(Colour vNewValue) {
    m_properties.BorderColour = vNewValue;
    changed("BorderColour");
}

void GFXFrameX::setCornerDepth(int16_t vNewValue) {
    m_properties.CornerDepth = std::clamp<int16_t>(vNewValue, 0, 50);
    changed("CornerDepth");
}

void GFXFrameX::changed(const char* name) {
    emit PropertyChanged(QLatin1String(name));
    Refresh();
}

void GFXFrameX::Refresh() {
    // The extent goes through twips as the frame's geometry always has; at 15 twips to the
    // pixel the round trip is exact, and it is done in 32 bits so wide frames do not overflow.
    const int width = FramePainter::PixelsFromTwips(this->width() * FramePainter::TwipsPerPixel);
    const int height = FramePainter::PixelsFromTwips(this->height() * FramePainter::TwipsPerPixel);
    const qreal ratio = devicePixelRatioF();
    if (m_surface.width() != width || m_surface.height() != height ||
        m_surface.devicePixelRatio() != ratio)
        m_surface.resize(width, height, ratio);
    FramePainter::PaintFrame(m_surface, m_properties, AmbientBackColour());
    update();
}

void GFXFrameX::InitProperties() {
    const Colour host = AmbientBackColour();
    m_properties.ShadowOpacity = kDefaultShadowOpacity;
    m_properties.ShadowDepth = kDefaultShadowDepth;
    m_properties.FillColour = host;
    m_properties.BackColour = host;
    m_properties.BackColourIs = kDefaultBackColourIs;
    m_properties.ShowShadow = kDefaultShowShadow;
    m_properties.FrameStyle = kDefaultFrameStyle;
    m_properties.BorderColour = kDefaultBorderColour;
    m_properties.CornerDepth = kDefaultCornerDepth;
}

void GFXFrameX::ReadProperties(const PropertyBag& stored) {
    // The frame's names match without regard to case, whatever the bag was made for.
    const PropertyBag bag = stored.nameCase() == Qt::CaseInsensitive
                                ? stored
                                : PropertyBag::fromJson(stored.toJson(), Qt::CaseInsensitive);
    const Colour host = AmbientBackColour();
    m_properties.FrameStyle = ReadWhole<int32_t>(bag, "FrameStyle", kDefaultFrameStyle);
    m_properties.ShadowOpacity = ReadWhole<int16_t>(bag, "ShadowOpacity", kDefaultShadowOpacity);
    m_properties.ShowShadow =
        bag.ReadProperty(QStringLiteral("ShowShadow"), kDefaultShowShadow).toBool();
    m_properties.ShadowDepth = ReadWhole<int16_t>(bag, "ShadowDepth", kDefaultShadowDepth);
    m_properties.FillColour = ReadColour(bag, "FillColour", host);
    m_properties.BackColour = ReadColour(bag, "BackColour", host);
    m_properties.BackColourIs = ReadWhole<int32_t>(bag, "BackColourIs", kDefaultBackColourIs);
    m_properties.BorderColour = ReadColour(bag, "BorderColour", kDefaultBorderColour);
    m_properties.CornerDepth = ReadWhole<int16_t>(bag, "CornerDepth", kDefaultCornerDepth);
    Refresh();
}

void GFXFrameX::WriteProperties(PropertyBag& bag) const {
    const Colour host = AmbientBackColour();
    bag.WriteProperty(QStringLiteral("FrameStyle"), m_properties.FrameStyle, kDefaultFrameStyle);
    bag.WriteProperty(QStringLiteral("ShadowOpacity"), m_properties.ShadowOpacity,
                      kDefaultShadowOpacity);
    bag.WriteProperty(QStringLiteral("ShowShadow"), m_properties.ShowShadow, kDefaultShowShadow);
    bag.WriteProperty(QStringLiteral("ShadowDepth"), m_properties.ShadowDepth, kDefaultShadowDepth);
    bag.WriteProperty(QStringLiteral("FillColour"), m_properties.FillColour, host);
    bag.WriteProperty(QStringLiteral("BackColour"), m_properties.BackColour, host);
    bag.WriteProperty(QStringLiteral("BackColourIs"), m_properties.BackColourIs,
                      kDefaultBackColourIs);
    bag.WriteProperty(QStringLiteral("BorderColour"), m_properties.BorderColour,
                      kDefaultBorderColour);
    bag.WriteProperty(QStringLiteral("CornerDepth"), m_properties.CornerDepth, kDefaultCornerDepth);
}

Colour GFXFrameX::AmbientBackColour() const {
    const QWidget* host = parentWidget() != nullptr ? parentWidget() : this;
    const QColor colour = host->palette().color(QPalette::Window);
    return RGBColour(colour.red(), colour.green(), colour.blue());
}

void GFXFrameX::paintEvent(QPaintEvent*) {
    if (m_surface.image().isNull()) return;  // nothing painted yet
    // A window moved to a screen of another pixel ratio: the same picture, at the new ratio.
    if (m_surface.devicePixelRatio() != devicePixelRatioF()) Refresh();
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface.deviceImage());
}

void GFXFrameX::resizeEvent(QResizeEvent*) {
    Refresh();
}

bool GFXFrameX::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange) watchHost();
    return QWidget::event(event);
}

// Any ambient change of the host (its font or its colours) repaints the frame: with
// BackColourIs 0 the background follows the host's.
bool GFXFrameX::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_host &&
        (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange))
        Refresh();
    return QWidget::eventFilter(watched, event);
}

void GFXFrameX::watchHost() {
    if (m_host == parentWidget()) return;
    if (m_host) m_host->removeEventFilter(this);
    m_host = parentWidget();
    if (m_host) m_host->installEventFilter(this);
}
