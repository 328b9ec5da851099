// StatusLineBox: the window's one-line, read-only box for the timing line of the last download.
// It keeps the text and lays it out only when it is painted. A QLineEdit shapes its text on
// every setText, and the timing line is written once per station: about a sixth of what a
// harvest spent per station apart from the request itself, for a box that lies outside the
// visible part of the window.
#pragma once

#include <QString>
#include <QWidget>

class StatusLineBox : public QWidget {
    Q_OBJECT
public:
    explicit StatusLineBox(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
