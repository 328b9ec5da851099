// The box that shows the last fetched page: it gives its text and lines back as the plain-text
// edit box it replaces did, and draws a page that is one very long line.
#include "DirectoryFixture.h"
#include "MainWindowDriver.h"
#include "SourceTextBox.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <random>

namespace {

// The box stands in for a QPlainTextEdit: whatever the text, it must read back the same text
// and the same number of lines.
TEST(SourceTextBox, ReadsBackAsAPlainTextEditBox) {
    const char16_t alphabet[] = {u'a',      u'<',      u' ',      u'\r',     u'\n',    u'\u2028',
                                 u'\u2029', u'\u00A0', u'\uFDD0', u'\uFDD1', u'\u00E9'};
    std::mt19937 engine(7);
    QPlainTextEdit reference;
    SourceTextBox box;
    EXPECT_EQ(box.toPlainText(), reference.toPlainText());
    EXPECT_EQ(box.lineCount(), reference.document()->blockCount());
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int length = std::uniform_int_distribution<int>(0, 12)(engine);
        for (int i = 0; i < length; ++i)
            text += QChar(alphabet[std::uniform_int_distribution<int>(0, 10)(engine)]);
        reference.setPlainText(text);
        box.setPlainText(text);
        ASSERT_EQ(box.toPlainText(), reference.toPlainText()) << text.toStdString();
        ASSERT_EQ(box.lineCount(), reference.document()->blockCount()) << text.toStdString();
    }
}

TEST(SourceTextBox, ScrollsOverTheLinesThatDoNotFit) {
    SourceTextBox box;
    box.resize(200, 100);
    QString text;
    for (int i = 0; i < 500; ++i) text += QStringLiteral("line %1\r\n").arg(i);
    box.setPlainText(text);
    EXPECT_GT(box.verticalScrollBar()->maximum(), 400);
    box.setPlainText(QStringLiteral("short"));
    EXPECT_EQ(box.verticalScrollBar()->maximum(), 0);
}

TEST(SourceTextBox, DrawsAPageThatIsOneLongLine) {
    SourceTextBox box;
    box.resize(300, 80);
    box.setPlainText(QString(70000, QLatin1Char('x')));
    const QImage picture = box.grab().toImage();
    EXPECT_FALSE(picture.isNull());
    EXPECT_EQ(box.toPlainText().size(), 70000);
}

class SourceBoxOfTheWindow : public DirectoryFixture {};

TEST_F(SourceBoxOfTheWindow, HoldsThePageTheFetcherLeftInTheRunState) {
    frmMain window;
    window.txturl->setText(server().baseUrl() +
                           QStringLiteral("/directory/index.phtml?numresult=5"));
    MainWindowDriver::Click(window.cmdGO);
    ASSERT_FALSE(window.scanState().m_PageText.isEmpty());
    EXPECT_EQ(window.txtSource->toPlainText(),
              QString(window.scanState().m_PageText)
                  .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

}  // namespace
