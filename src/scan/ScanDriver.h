// ScanDriver: what the Run/Stop button does. A run walks the chosen genres and their result
// pages, has each page fetched and parsed, and keeps the progress bar and status up to date.
#pragma once

#include <functional>

class PageSource;
class ScanHost;
struct ScanState;

class ScanDriver {
public:
    // sourceOfRun names the directory that a run asks, when the run starts.
    ScanDriver(ScanHost& host, ScanState& state, std::function<PageSource&()> sourceOfRun)
        : m_host(host), m_state(state), m_sourceOfRun(std::move(sourceOfRun)) {}

    // The click handler of cmdRun. A click while the caption reads "&Stop" asks the run to
    // stop; any other click starts a run, unless a stopped run is still ending.
    void cmdRun_Click();

    // True while a run is under way, also after a stop was asked for, until the run has ended.
    bool runInProgress() const;

private:
    void requestStop();
    void run();
    void runGenres(int first, int last, int pageSize, int stations);

    ScanHost& m_host;
    ScanState& m_state;
    std::function<PageSource&()> m_sourceOfRun;
    PageSource* m_source = nullptr;  // of the run under way
};
