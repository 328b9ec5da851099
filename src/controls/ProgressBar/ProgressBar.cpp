// ProgressBar: property rules, persistence and the widget around the painted surface.
#include "ProgressBar.h"

#include "ProgressBarAccessible.h"
#include "ProgressBarCaption.h"
#include "ProgressBarPainter.h"
#include "PropertyBag.h"
#include "StoredValue.h"

#include <QAccessible>
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <array>

namespace {

constexpr Colour kWhite = RGBColour(255, 255, 255);
constexpr Colour kLightGrey = RGBColour(200, 200, 200);

struct PropertyHelp {
    const char* name;
    const char* description;
};

// In the order a property browser lists them.
constexpr std::array<PropertyHelp, 16> kPropertyHelp = {{
    {"Value", "Progressbar Value."},
    {"Max", "Progressbar Max Value."},
    {"Min", "Progressbar Min Value."},
    {"RoundedValue", "Progressbar Rounded Corner Value."},
    {"Enabled", "Progressbar Enabled/Disabled."},
    {"Theme", "Progressbar Styles."},
    {"TextStyle", "Progressbar Text Style."},
    {"Orientations", ""},
    {"TextAlignment", "Progressbar Text Alignment."},
    {"Text", "Progressbar Text."},
    {"TextEffectColor", "Progressbar Text Effect Color."},
    {"TextEffect", "Progressbar Text Effect."},
    {"TextForeColor", "Progressbar Text Color."},
    {"TextFont", "Progressbar Text Font."},
    {"PBSCustomeColor1", "Progressbar Style Custome Color 1."},
    {"PBSCustomeColor2", "Progressbar Style Custome Color 2."},
}};

Colour ColourOf(const QColor& colour) {
    return RGBColour(colour.red(), colour.green(), colour.blue());
}

// Reads one key and hands a value that converts to the setter. The stored value is taken as
// it is, so one that does not convert is skipped (the property keeps its value) rather than
// replaced by the default; only a missing key reads as the default.
template <typename Convert, typename Apply>
void ReadKey(const PropertyBag& bag, const char* key, const QVariant& defaultValue, Convert convert,
             Apply apply) {
    const QString name = QLatin1String(key);
    const QVariant stored = bag.contains(name) ? bag.ReadProperty(name, QVariant()) : defaultValue;
    if (const auto value = convert(stored)) apply(*value);
}

}  // namespace

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the surface covers every pixel
    static const bool accessible = [] {
        QAccessible::installFactory(&ProgressBarAccessible::create);
        return true;
    }();
    Q_UNUSED(accessible);
}

ProgressBar::~ProgressBar() {
    Terminate();
}

void ProgressBar::changed(const QString& propertyName) {
    emit PropertyChanged(propertyName);
    DrawBar();
    announce();
}

// Tells assistive technology what changed on the bar: the value, and the caption, which is
// the bar's name there. Only changes, and only while one listens: a run sets the value for
// every station, mostly to the one already shown.
void ProgressBar::announce() {
    if (!QAccessible::isActive()) return;
    if (m_announcedValue != m_state.Value) {
        m_announcedValue = m_state.Value;
        QAccessibleValueChangeEvent event(this, m_state.Value);
        QAccessible::updateAccessibility(&event);
    }
    const QString caption = CaptionFor(m_state).value_or(QString());
    if (m_announcedCaption != caption) {
        m_announcedCaption = caption;
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void ProgressBar::setValue(int32_t NewValue) {
    if (NewValue > m_state.Max) NewValue = m_state.Max;
    if (NewValue < m_state.Min) NewValue = m_state.Min;
    m_state.Value = NewValue;
    changed(QStringLiteral("Value"));
}

void ProgressBar::setMax(int32_t NewValue) {
    if (NewValue < 1) NewValue = 1;
    if (NewValue <= m_state.Min) NewValue = m_state.Min + 1;
    m_state.Max = NewValue;
    if (m_state.Value > m_state.Max) setValue(m_state.Max);
    changed(QStringLiteral("Max"));
}

void ProgressBar::setMin(int32_t NewValue) {
    if (NewValue >= m_state.Max) NewValue = m_state.Max - 1;
    if (NewValue < 0) NewValue = 0;
    m_state.Min = NewValue;
    if (m_state.Value < m_state.Min) setValue(m_state.Min);
    changed(QStringLiteral("Min"));
}

void ProgressBar::setRoundedValue(int32_t NewValue) {
    m_state.RoundedValue = NewValue;
    changed(QStringLiteral("RoundedValue"));
}

void ProgressBar::setEnabled(bool NewValue) {
    m_state.Enabled = NewValue;
    changed(QStringLiteral("Enabled"));
}

void ProgressBar::setTheme(int32_t NewValue) {
    m_state.Theme = NewValue;
    changed(QStringLiteral("Theme"));
}

void ProgressBar::setTextStyle(int32_t NewValue) {
    m_state.TextStyle = NewValue;
    changed(QStringLiteral("TextStyle"));
}

void ProgressBar::setOrientations(int32_t NewValue) {
    m_state.Orientations = NewValue;
    changed(QStringLiteral("Orientations"));
}

void ProgressBar::setTextAlignment(int32_t NewValue) {
    m_state.TextAlignment = NewValue;
    changed(QStringLiteral("TextAlignment"));
}

void ProgressBar::setText(const QString& NewValue) {
    m_state.Text = NewValue;
    changed(QStringLiteral("Text"));
}

void ProgressBar::setTextEffectColor(Colour NewValue) {
    m_state.TextEffectColor = NewValue;
    changed(QStringLiteral("TextEffectColor"));
}

void ProgressBar::setTextEffect(int32_t NewValue) {
    m_state.TextEffect = NewValue;
    changed(QStringLiteral("TextEffect"));
}

void ProgressBar::setTextForeColor(Colour NewValue) {
    m_state.TextForeColor = NewValue;
    changed(QStringLiteral("TextForeColor"));
}

void ProgressBar::setTextFont(FontReference NewValue) {
    m_TextFont = NewValue;
    if (!m_TextFont) return;
    m_surface.setFont(*m_TextFont);
    m_paintedState.reset();  // the font is part of the picture
    changed(QStringLiteral("TextFont"));
}

void ProgressBar::setPBSCustomeColor1(Colour NewValue) {
    m_state.PBSCustomeColor1 = NewValue;
    changed(QStringLiteral("PBSCustomeColor1"));
}

void ProgressBar::setPBSCustomeColor2(Colour NewValue) {
    m_state.PBSCustomeColor2 = NewValue;
    changed(QStringLiteral("PBSCustomeColor2"));
}

void ProgressBar::DrawGradientFourColour(Surface& ObjectHDC, int32_t Left, int32_t Top,
                                         int32_t Width, int32_t Height, Colour TopLeftColour,
                                         Colour TopRightColour, Colour BottomLeftColour,
                                         Colour BottomRightColour) {
    ProgressBarPainter::DrawGradientFourColour(ObjectHDC, Left, Top, Width, Height, TopLeftColour,
                                               TopRightColour, BottomLeftColour, BottomRightColour);
}

void ProgressBar::GradientTwoColour(Surface& hdc, int32_t Direction, Colour StartColor,
                                    Colour EndColor, int32_t Left, int32_t Top, int32_t Right,
                                    int32_t Bottom) {
    ProgressBarPainter::GradientTwoColour(hdc, Direction, StartColor, EndColor, Left, Top, Right,
                                          Bottom);
}

QString ProgressBar::PropertyDescription(const QString& propertyName) {
    for (const PropertyHelp& help : kPropertyHelp) {
        if (propertyName == QLatin1String(help.name)) return QString::fromLatin1(help.description);
    }
    return QString();
}

void ProgressBar::InitProperties() {
    setMax(100);
    setMin(0);
    setValue(50);
    setRoundedValue(5);
    setEnabled(true);
    setTheme(1);
    setTextForeColor(0);
    setText(QStringLiteral("Radiosift ProgressBar"));
    setTextAlignment(5);
    setTextEffect(5);
    setTextEffectColor(kWhite);
    setTextStyle(3);
    setOrientations(1);
    setTextFont(std::make_shared<QFont>(AmbientFont()));
}

void ProgressBar::ReadProperties(const PropertyBag& PropBag) {
    using namespace StoredValue;
    const auto& bag = PropBag;
    // Max comes before Min and Value, so each is clamped against the bounds read before it.
    ReadKey(bag, "Max", 100, ToInt32, [this](int32_t v) { setMax(v); });
    ReadKey(bag, "Min", 0, ToInt32, [this](int32_t v) { setMin(v); });
    ReadKey(bag, "Value", 50, ToInt32, [this](int32_t v) { setValue(v); });
    ReadKey(bag, "RoundedValue", 5, ToInt32, [this](int32_t v) { setRoundedValue(v); });
    ReadKey(bag, "Enabled", true, ToBool, [this](bool v) { setEnabled(v); });
    ReadKey(bag, "Theme", 1, ToInt32, [this](int32_t v) { setTheme(v); });
    ReadKey(bag, "TextStyle", 1, ToInt32, [this](int32_t v) { setTextStyle(v); });
    ReadKey(bag, "Orientations", 1, ToInt32, [this](int32_t v) { setOrientations(v); });
    ReadKey(bag, "Text", AmbientDisplayName(), ToText, [this](const QString& v) { setText(v); });
    ReadKey(bag, "TextEffectColor", FromColour(kLightGrey), ToColour,
            [this](Colour v) { setTextEffectColor(v); });
    ReadKey(bag, "TextEffect", 1, ToInt32, [this](int32_t v) { setTextEffect(v); });
    ReadKey(bag, "TextAlignment", 5, ToInt32, [this](int32_t v) { setTextAlignment(v); });
    ReadKey(bag, "TextFont", FromFont(AmbientFont()), ToFont,
            [this](const QFont& v) { setTextFont(std::make_shared<QFont>(v)); });
    ReadKey(bag, "TextForeColor", FromColour(0), ToColour,
            [this](Colour v) { setTextForeColor(v); });
    ReadKey(bag, "PBSCustomeColor2", FromColour(0), ToColour,
            [this](Colour v) { setPBSCustomeColor2(v); });
    ReadKey(bag, "PBSCustomeColor1", FromColour(0), ToColour,
            [this](Colour v) { setPBSCustomeColor1(v); });
}

void ProgressBar::WriteProperties(PropertyBag& PropBag) const {
    using namespace StoredValue;
    const auto write = [&PropBag](const char* key, const QVariant& value,
                                  const QVariant& defaultValue) {
        PropBag.WriteProperty(QLatin1String(key), value, defaultValue);
    };
    write("Orientations", m_state.Orientations, 1);
    write("Max", m_state.Max, 100);
    write("Min", m_state.Min, 0);
    write("Value", m_state.Value, 50);
    write("RoundedValue", m_state.RoundedValue, 5);
    write("Enabled", m_state.Enabled, true);
    write("Theme", m_state.Theme, 1);
    write("TextStyle", m_state.TextStyle, 1);
    // No font at all is written as a null value, which reads back as nothing to change.
    write("TextFont", m_TextFont ? FromFont(*m_TextFont) : QVariant(), FromFont(AmbientFont()));
    write("TextForeColor", FromColour(m_state.TextForeColor), FromColour(0));
    write("TextAlignment", m_state.TextAlignment, 5);
    // Empty text is not stored, so a stored bar without text reads back its own name.
    write("Text", m_state.Text, QString());
    write("TextEffectColor", FromColour(m_state.TextEffectColor), FromColour(kLightGrey));
    write("TextEffect", m_state.TextEffect, 1);
    write("PBSCustomeColor2", FromColour(m_state.PBSCustomeColor2), FromColour(0));
    write("PBSCustomeColor1", FromColour(m_state.PBSCustomeColor1), FromColour(0));
}

void ProgressBar::Terminate() {
    setTextFont(nullptr);
}

QFont ProgressBar::AmbientFont() const {
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

QString ProgressBar::AmbientDisplayName() const {
    return objectName();
}

void ProgressBar::DrawBar() {
    if (!paintSurface()) return;
    // Qt reads an empty mask as no mask at all; a bar too thin for any shape shows nothing, so
    // it gets a mask that lies wholly outside it instead. An unchanged mask costs nothing.
    setMask(m_shape.isEmpty() ? QRegion(-1, -1, 1, 1) : m_shape);
    update();
}

bool ProgressBar::paintSurface() {
    const Colour back = ColourOf(palette().color(QPalette::Window));
    const qreal ratio = devicePixelRatioF();
    if (m_surface.width() != width() || m_surface.height() != height() ||
        m_surface.devicePixelRatio() != ratio) {
        m_surface.resize(width(), height(), ratio);
        m_paintedState.reset();
    }
    // The picture follows from the values, the size, the background and the font alone. A scan
    // sets the value once per station, mostly to the percentage already shown: then the
    // surface already holds the picture, and painting it again (about 25 us, mostly the
    // caption's text) is skipped.
    if (m_paintedState == m_state && m_surface.backColour() == back) return false;
    m_surface.setBackColour(back);
    m_shape = ProgressBarPainter::DrawBar(m_surface, m_state);
    m_paintedState = m_state;
    return true;
}

void ProgressBar::resizeEvent(QResizeEvent*) {
    DrawBar();
}

void ProgressBar::paintEvent(QPaintEvent*) {
    // A window moved to a screen of another pixel ratio: the same picture, at the new ratio.
    if (m_surface.devicePixelRatio() != devicePixelRatioF()) paintSurface();
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface.deviceImage());
}
