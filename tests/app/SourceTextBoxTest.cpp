// The box that shows the last fetched page: it holds the text exactly as given, counts its
// lines at LF, and draws a page that is one very long line.
#include "DirectoryFixture.h"
#include "MainWindowDriver.h"
#include "SourceTextBox.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QScrollBar>

namespace {

TEST(SourceTextBox, HoldsTheTextAsGivenAndCountsLinesAtLineFeeds) {
    SourceTextBox box;
    EXPECT_EQ(box.toPlainText(), QString());
    EXPECT_EQ(box.lineCount(), 1);
    const QString text = QStringLiteral("<html>\r\n<body>\r\n\r\nlast");
    box.setPlainText(text);
    EXPECT_EQ(box.toPlainText(), text);
    EXPECT_EQ(box.lineCount(), 4);
    box.setPlainText(QStringLiteral("ends with a break\r\n"));
    EXPECT_EQ(box.lineCount(), 2);
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
    EXPECT_EQ(window.txtSource->toPlainText(), window.scanState().m_PageText);
}

}  // namespace
