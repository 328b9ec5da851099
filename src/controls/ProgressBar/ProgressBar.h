// ProgressBar: the program's own progress bar with a caption. (Stand-in until the self-drawn
// control arrives: it shows Value and Text with a plain bar.)
#pragma once

#include <QWidget>

class ProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);

    int Value() const { return m_Value; }
    void setValue(int NewValue);
    QString Text() const { return m_Text; }
    void setText(const QString& NewValue);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_Value = 0;
    QString m_Text;
};
