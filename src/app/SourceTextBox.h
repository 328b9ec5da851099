// SourceTextBox: the window's box for the text of the last fetched page, read-only, with a
// vertical scroll bar. It keeps the text and draws only the lines in view. A QPlainTextEdit
// laid the whole page out on every fetch, and a page with LF line ends arrives as a single
// line of some 70 000 characters: 50 ms a page, most of the time a harvest spent apart from
// the network.
#pragma once

#include <QAbstractScrollArea>
#include <QList>
#include <QString>

class SourceTextBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit SourceTextBox(QWidget* parent = nullptr);

    // Text and lines as a plain-text edit box gives them back: every line break (CR LF, CR, LF
    // or a paragraph separator) ends a line and reads back as LF, a line separator reads as LF
    // and a no-break space as a blank.
    void setPlainText(const QString& text);
    QString toPlainText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollRange();
    QStringView line(qsizetype index) const;

    QString m_text;                    // as given
    QList<qsizetype> m_lineStarts{0};  // where each line starts, just after a line break
};
