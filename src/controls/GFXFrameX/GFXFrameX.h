// GFXFrameX: the program's own frame behind a group of controls: a rectangle or rounded
// rectangle with border, fill and a soft drop shadow. The picture is painted by FramePainter
// into a retained surface; the widget only keeps the nine property values and shows it.
#pragma once

#include "FramePainter.h"
#include "Surface.h"

#include <QPointer>
#include <QWidget>
#include <cstdint>

class PropertyBag;

class GFXFrameX : public QWidget {
    Q_OBJECT
public:
    // A new frame is a freshly placed one: it takes the defaults (InitProperties) and paints
    // nothing until a property changes, it is resized, or stored properties are read.
    explicit GFXFrameX(QWidget* parent = nullptr);

    // Each setter stores the value (clamped where noted), emits PropertyChanged with the
    // property's name and repaints, also when the value did not change.
    int32_t FrameStyle() const { return m_properties.FrameStyle; }
    void setFrameStyle(int32_t vNewValue);
    int16_t ShadowOpacity() const { return m_properties.ShadowOpacity; }
    void setShadowOpacity(int16_t vNewValue);  // held to 0..100
    bool ShowShadow() const { return m_properties.ShowShadow; }
    void setShowShadow(bool vNewValue);
    int16_t ShadowDepth() const { return m_properties.ShadowDepth; }
    void setShadowDepth(int16_t vNewValue);  // below 2 becomes 2, above 40 becomes 50
    Colour FillColour() const { return m_properties.FillColour; }
    void setFillColour(Colour vNewValue);
    Colour BackColour() const { return m_properties.BackColour; }
    void setBackColour(Colour vNewValue);
    int32_t BackColourIs() const { return m_properties.BackColourIs; }
    void setBackColourIs(int32_t vNewValue);
    Colour BorderColour() const { return m_properties.BorderColour; }
    void setBorderColour(Colour vNewValue);
    int16_t CornerDepth() const { return m_properties.CornerDepth; }
    void setCornerDepth(int16_t vNewValue);  // held to 0..50

    // Repaints the whole control.
    void Refresh();

    // The host's side of the control's life. Fresh placement sets the defaults without a
    // repaint. Reading takes the stored values as they stand (no clamping, no PropertyChanged)
    // and then repaints once; names match without regard to case. Writing leaves out values
    // equal to their defaults; FillColour's and BackColour's default is the host's background
    // at the moment of the call.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // The background the host offers its controls: its palette's window colour.
    Colour AmbientBackColour() const;
    // The retained picture, as last painted.
    const Surface& surface() const { return m_surface; }
    const FrameProperties& properties() const { return m_properties; }

signals:
    void PropertyChanged(const QString& PropertyName);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void changed(const char* name);
    void watchHost();

    FrameProperties m_properties;
    Surface m_surface;
    QPointer<QWidget> m_host;
};
