// What the scan tests through the main window share: a window on the local directory, the page
// queries a run sent, how a run ended, and actions timed to a point of a run where events run.
#pragma once

#include "DirectoryFixture.h"
#include "MainWindowDriver.h"
#include "ProgressBar.h"
#include "SourceTextBox.h"
#include "StatusLineBox.h"
#include "frmMain.h"

#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <memory>

namespace ScanWindow {

using MainWindowDriver::Click;
using MainWindowDriver::Select;

inline const QString kClassicPage = QStringLiteral("/directory/index.phtml?");

// A fresh main window that downloads into the test's folder.
class WindowTest : public DirectoryFixture {
protected:
    void SetUp() override {
        DirectoryFixture::SetUp();
        window.txtDL->setText(downloadDir());
    }
    // The queries (the text after "?") of the page requests in the server's log, oldest first.
    QStringList pageQueries(const QString& page = kClassicPage) {
        QStringList queries;
        for (const QString& target : server().requestLog())
            if (target.startsWith(page)) queries.append(target.mid(page.size()));
        return queries;
    }
    // Clicks Run, which returns when the run is over: with this ending on the bar and in
    // txtProg, the bar full and Run offered again.
    void run(const QString& ending = QStringLiteral("Done")) {
        MainWindowDriver::Run(window);
        EXPECT_EQ(window.vp1->Text(), ending);
        EXPECT_EQ(window.txtProg->text(), ending);
        EXPECT_EQ(window.vp1->Value(), 100);
        EXPECT_EQ(window.cmdRun->text(), "&Run");
        EXPECT_FALSE(window.runInProgress());
    }

    frmMain window;
};

// Runs action once, at the next point where the run lets events run after 'moment' first
// holds. 'moment' is asked whenever the bar is given a value or txturl a new address; the
// action is queued then and runs when events run next (in the parser right after a value, in
// the fetcher right after an address).
inline void WhenDuringRun(frmMain& window, std::function<bool()> moment,
                          std::function<void()> action) {
    const auto check = [&window, moment, action, done = std::make_shared<bool>(false)] {
        if (*done || !window.runInProgress() || !moment()) return;
        *done = true;
        QTimer::singleShot(0, &window, action);
    };
    QObject::connect(window.vp1, &ProgressBar::PropertyChanged, &window,
                     [check](const QString& name) { if (name == QLatin1String("Value")) check(); });
    QObject::connect(window.txturl, &QLineEdit::textChanged, &window, check);
}

}  // namespace ScanWindow
