#include "SourceTextBox.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

namespace {
constexpr int kMargin = 3;  // pixels between the frame and the text
}

SourceTextBox::SourceTextBox(QWidget* parent) : QAbstractScrollArea(parent) {
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);  // one line
}

void SourceTextBox::setPlainText(const QString& text) {
    m_text = text;
    m_lineStarts = {0};
    for (qsizetype end = m_text.indexOf(u'\n'); end >= 0; end = m_text.indexOf(u'\n', end + 1))
        m_lineStarts.append(end + 1);
    verticalScrollBar()->setValue(0);
    updateScrollRange();
    viewport()->update();
}

QStringView SourceTextBox::line(qsizetype index) const {
    const qsizetype start = m_lineStarts[index];
    const qsizetype end =
        index + 1 < m_lineStarts.size() ? m_lineStarts[index + 1] - 1 : m_text.size();
    QStringView text = QStringView(m_text).sliced(start, end - start);
    if (text.endsWith(u'\r')) text.chop(1);
    return text;
}

void SourceTextBox::updateScrollRange() {
    const int lineHeight = std::max(1, fontMetrics().lineSpacing());
    const int visible = std::max(1, (viewport()->height() - 2 * kMargin) / lineHeight);
    const int lines = static_cast<int>(std::min<qsizetype>(m_lineStarts.size(), INT_MAX));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setRange(0, std::max(0, lines - visible));
}

void SourceTextBox::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = std::max(1, metrics.lineSpacing());
    const int width = viewport()->width() - 2 * kMargin;
    // A line is cut to what the box can show: drawing all of a 70 000-character line would
    // lay it out whole, which is what this box is for avoiding.
    const qsizetype shown = width / std::max(1, metrics.averageCharWidth() / 2) + 1;
    painter.setPen(palette().color(QPalette::Text));
    painter.setClipRect(kMargin, 0, width, viewport()->height());
    int y = kMargin;
    for (qsizetype i = verticalScrollBar()->value();
         i < m_lineStarts.size() && y < viewport()->height(); ++i, y += lineHeight) {
        painter.drawText(kMargin, y + metrics.ascent(), line(i).left(shown).toString());
    }
}

void SourceTextBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void SourceTextBox::scrollContentsBy(int, int) {
    viewport()->update();
}
