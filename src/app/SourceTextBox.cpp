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

namespace {

// The units that end a line besides LF and CR (the frame marks of a rich-text document count
// as well, as they do in a plain-text edit box).
bool EndsLine(char16_t unit) {
    return unit == u'\n' || unit == u'\r' || unit == u'\u2029' || unit == u'\uFDD0' ||
           unit == u'\uFDD1';
}

}  // namespace

void SourceTextBox::setPlainText(const QString& text) {
    m_text = text;
    m_lineStarts = {0};
    const qsizetype size = m_text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = m_text[i].unicode();
        if (!EndsLine(unit)) continue;
        if (unit == u'\r' && i + 1 < size && m_text[i + 1] == u'\n') ++i;  // CR LF is one break
        m_lineStarts.append(i + 1);
    }
    verticalScrollBar()->setValue(0);
    updateScrollRange();
    viewport()->update();
}

QString SourceTextBox::toPlainText() const {
    QString plain;
    plain.reserve(m_text.size());
    for (qsizetype line = 0; line < m_lineStarts.size(); ++line) {
        if (line > 0) plain += u'\n';
        plain += this->line(line);
    }
    for (QChar& unit : plain) {
        if (unit == u'\u2028')
            unit = u'\n';
        else if (unit == u'\u00A0')
            unit = u' ';
    }
    return plain;
}

QStringView SourceTextBox::line(qsizetype index) const {
    const qsizetype start = m_lineStarts[index];
    qsizetype end = index + 1 < m_lineStarts.size() ? m_lineStarts[index + 1] - 1 : m_text.size();
    // The break itself is not part of the line; CR LF is two units.
    if (index + 1 < m_lineStarts.size() && end > start && m_text[end] == u'\n' &&
        m_text[end - 1] == u'\r')
        --end;
    return QStringView(m_text).sliced(start, end - start);
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
