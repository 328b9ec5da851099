// ProgressBar: the program's own progress bar with a one-line caption. The widget keeps the
// property values, tells its host which property changed, saves and restores them through a
// PropertyBag, and shows the picture that ProgressBarPainter leaves on its retained surface.
#pragma once

#include "ProgressBarState.h"
#include "Surface.h"

#include <QFont>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

class PropertyBag;

class ProgressBar : public QWidget {
    Q_OBJECT
public:
    // The caption font is shared, not copied: TextFont() gives back the very object set.
    using FontReference = std::shared_ptr<QFont>;

    // A new bar has every property at zero; the host then calls InitProperties (a bar placed
    // afresh) or ReadProperties (a stored bar).
    explicit ProgressBar(QWidget* parent = nullptr);
    ~ProgressBar() override;

    // Every setter stores its value (Value, Max and Min clamped), emits PropertyChanged with
    // the property's name and repaints.
    int32_t Value() const { return m_state.Value; }
    void setValue(int32_t NewValue);  // clamped to Max, then to Min
    int32_t Max() const { return m_state.Max; }
    void setMax(int32_t NewValue);  // at least 1 and above Min; pulls Value down to it
    int32_t Min() const { return m_state.Min; }
    void setMin(int32_t NewValue);  // at least 0 and below Max; pulls Value up to it
    int32_t RoundedValue() const { return m_state.RoundedValue; }
    void setRoundedValue(int32_t NewValue);
    // Greys the bar and caption. Unlike QWidget::setEnabled it leaves input alone.
    bool Enabled() const { return m_state.Enabled; }
    void setEnabled(bool NewValue);
    int32_t Theme() const { return m_state.Theme; }
    void setTheme(int32_t NewValue);
    int32_t TextStyle() const { return m_state.TextStyle; }
    void setTextStyle(int32_t NewValue);
    int32_t Orientations() const { return m_state.Orientations; }
    void setOrientations(int32_t NewValue);
    int32_t TextAlignment() const { return m_state.TextAlignment; }
    void setTextAlignment(int32_t NewValue);
    QString Text() const { return m_state.Text; }
    void setText(const QString& NewValue);
    Colour TextEffectColor() const { return m_state.TextEffectColor; }
    void setTextEffectColor(Colour NewValue);
    int32_t TextEffect() const { return m_state.TextEffect; }
    void setTextEffect(int32_t NewValue);
    Colour TextForeColor() const { return m_state.TextForeColor; }
    void setTextForeColor(Colour NewValue);
    FontReference TextFont() const { return m_TextFont; }
    // A font also becomes the caption's drawing font. None only lets go of the reference: the
    // caption keeps its last font and nothing is repainted or announced.
    void setTextFont(FontReference NewValue);
    Colour PBSCustomeColor1() const { return m_state.PBSCustomeColor1; }
    void setPBSCustomeColor1(Colour NewValue);
    Colour PBSCustomeColor2() const { return m_state.PBSCustomeColor2; }
    void setPBSCustomeColor2(Colour NewValue);

    // The bar's gradient drawing, offered to any surface (see ProgressBarPainter).
    void DrawGradientFourColour(Surface& ObjectHDC, int32_t Left, int32_t Top, int32_t Width,
                                int32_t Height, Colour TopLeftColour, Colour TopRightColour,
                                Colour BottomLeftColour, Colour BottomRightColour);
    void GradientTwoColour(Surface& hdc, int32_t Direction, Colour StartColor, Colour EndColor,
                           int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);

    // The one-line help a property browser shows for a property; empty for none.
    static QString PropertyDescription(const QString& propertyName);

    // Life cycle. InitProperties gives a bar placed afresh its starting look; ReadProperties
    // restores a stored bar key by key (a value that cannot be read is skipped);
    // WriteProperties stores every property, the store leaving out values at their defaults;
    // Terminate lets go of the caption font.
    void InitProperties();
    void ReadProperties(const PropertyBag& PropBag);
    void WriteProperties(PropertyBag& PropBag) const;
    void Terminate();

    // What was last painted, and the values it was painted from.
    const Surface& surface() const { return m_surface; }
    const ProgressBarState& state() const { return m_state; }

signals:
    // A property changed; its name is spelled as its getter.
    void PropertyChanged(const QString& PropertyName);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void DrawBar();
    // Brings the surface up to date; false when it already showed the values.
    bool paintSurface();
    void changed(const QString& propertyName);
    void announce();
    // What the host offers: its font, and this bar's name on it.
    QFont AmbientFont() const;
    QString AmbientDisplayName() const;

    ProgressBarState m_state;
    FontReference m_TextFont;
    Surface m_surface;
    // What the surface was last painted from.
    std::optional<ProgressBarState> m_paintedState;
    QRegion m_shape;  // the window shape of that picture
    // What assistive technology was last told.
    std::optional<int32_t> m_announcedValue;
    std::optional<QString> m_announcedCaption;
};
