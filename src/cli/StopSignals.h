// StopSignals: SIGINT and SIGTERM ask a harvest to stop as the window's Stop does; a second one
// ends the program at once. The handler only writes a byte into a pipe; the stop itself happens
// when the run next lets events run, which it does before every station and while it waits.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

class StopSignals : public QObject {
public:
    // stop is called on the program's thread, once, when the first signal has come.
    explicit StopSignals(std::function<void()> stop);
    ~StopSignals() override;

    bool received() const { return m_received; }

private:
    std::function<void()> m_stop;
    QSocketNotifier* m_notifier = nullptr;
    bool m_received = false;
};
