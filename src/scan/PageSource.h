// PageSource: a station directory as the scan driver asks it for the stations of a genre.
#pragma once

#include <functional>

struct PageQuery;
struct ScanState;

// One genre of a run, as the scan driver hands it to the directory.
struct GenrePages {
    int pages = 1;      // pages the window's station count comes to
    int pageSize = 25;  // stations a page asks for
    int stations = 0;   // the window's number of stations per genre
    // The query of page 1, 2, ...: the window's options as they stand when it is asked.
    std::function<PageQuery(int page)> query;
    // Throws when the run has been stopped (or ended for want of a connection).
    std::function<void()> checkPoint;
};

class PageSource {
public:
    virtual ~PageSource() = default;
    // A run begins: what the source kept from an earlier run is forgotten.
    virtual void startRun() {}
    // Runs one genre: asks for its pages, reads them, hands their stations to the saver and
    // moves m_ProgressBase past the genre's share of the run.
    virtual void runGenre(const GenrePages& genre, ScanState& state) = 0;
};
