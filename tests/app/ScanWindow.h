// What the scan tests through the main window share: the page queries a run sent, a record of
// what the progress bar was given, and actions timed to a point of a run where events run.
#pragma once

#include "DirectoryServer.h"
#include "ProgressBar.h"
#include "frmMain.h"

#include <QLineEdit>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

namespace ScanWindow {

inline const QString kClassicPage = QStringLiteral("/directory/index.phtml?");
inline const QString kCurrentPage = QStringLiteral("/index.jsp?");

// The queries (the text after "?") of the page requests in the server's log, oldest first.
// Playlist downloads are left out.
inline QStringList PageQueries(const DirectoryServer& server, const QString& page = kClassicPage) {
    QStringList queries;
    for (const QString& target : server.requestLog()) {
        if (target.startsWith(page)) queries.append(target.mid(page.size()));
    }
    return queries;
}

// Every Value and Text the progress bar is given, in order.
struct BarLog {
    QList<int> values;
    QStringList texts;

    explicit BarLog(ProgressBar* bar) {
        QObject::connect(bar, &ProgressBar::PropertyChanged, bar, [this, bar](const QString& name) {
            if (name == QLatin1String("Value")) values.append(bar->Value());
            if (name == QLatin1String("Text")) texts.append(bar->Text());
        });
    }
};

// Runs action once, at the next point where the run lets events run after 'moment' first
// holds. 'moment' is asked whenever the bar is given a value or txturl a new address; the
// action is queued then and runs when events run next (in the parser right after a value, in
// the fetcher right after an address).
inline void WhenDuringRun(frmMain& window, std::function<bool()> moment,
                          std::function<void()> action) {
    auto connections = std::make_shared<QList<QMetaObject::Connection>>();
    const auto check = [&window, moment, action, connections] {
        if (connections->isEmpty() || !window.runInProgress() || !moment()) return;
        for (const auto& connection : *connections) QObject::disconnect(connection);
        connections->clear();
        QTimer::singleShot(0, &window, action);
    };
    connections->append(QObject::connect(window.vp1, &ProgressBar::PropertyChanged, &window,
                                         [check](const QString& name) {
                                             if (name == QLatin1String("Value")) check();
                                         }));
    connections->append(QObject::connect(window.txturl, &QLineEdit::textChanged, &window, check));
}

}  // namespace ScanWindow
