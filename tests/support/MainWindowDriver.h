// Drives the real main window in tests: options set through its controls, buttons clicked
// with simulated mouse clicks. A click on Run returns when the run has ended, since the whole
// run happens inside the click handler.
#pragma once

#include "frmMain.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace MainWindowDriver {

inline void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// Selects the entry with this text; fails the test when the list has no such entry.
inline void Select(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    ASSERT_GE(index, 0) << "no entry " << text.toStdString();
    list->setCurrentIndex(index);
}

// Clicks Run and returns when the run has ended.
inline void Run(frmMain& window) { Click(window.cmdRun); }

// Runs action the first time the window lets events run while a run is under way.
inline void DuringRun(frmMain& window, std::function<void()> action) {
    auto* timer = new QTimer(&window);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, &window, [&window, timer, action] {
        if (!window.runInProgress()) return;
        timer->stop();
        timer->deleteLater();
        action();
    });
    timer->start();
}

}  // namespace MainWindowDriver
