#include "StopSignals.h"

#include <fcntl.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace {

int g_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_signalled = 0;

extern "C" void OnStopSignal(int signal) {
    if (g_signalled) {
        // A second signal: the user will not wait for the run to wind down.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    g_signalled = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
}

}  // namespace

StopSignals::StopSignals(std::function<void()> stop) : m_stop(std::move(stop)) {
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        while (read(g_pipe[0], &byte, 1) > 0) {
        }
        if (m_received) return;
        m_received = true;
        m_stop();
    });
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

StopSignals::~StopSignals() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    for (int& end : g_pipe) {
        if (end >= 0) close(end);
        end = -1;
    }
}
