// ScanDriver: what the Run/Stop button does. A run walks the chosen genres and their result
// pages, has each page fetched and parsed, and keeps the progress bar and status up to date.
#pragma once

class PageFetcher;
class PageParser;
class ScanHost;
struct ScanState;

class ScanDriver {
public:
    ScanDriver(ScanHost& host, ScanState& state, PageFetcher& fetcher, PageParser& parser)
        : m_host(host), m_state(state), m_fetcher(fetcher), m_parser(parser) {}

    // The click handler of cmdRun. A click while the caption reads "&Stop" asks the run to
    // stop; any other click starts a run.
    void cmdRun_Click();

    // True while a run's loop is under way (also after a stop was asked for, until the run
    // reaches its next check point).
    bool runInProgress() const { return m_runInProgress; }

private:
    void requestStop();
    void run();
    void runGenres(int first, int last, int pageSize);

    ScanHost& m_host;
    ScanState& m_state;
    PageFetcher& m_fetcher;
    PageParser& m_parser;
    bool m_runInProgress = false;
    // A Run click that came while a stopped run had not yet ended: started when it has.
    bool m_startHeldBack = false;
};
