// RadioBrowserPages: the live community directory. A genre is the merged searches of its tags and
// codecs (MergedSearch), read until the window's number of playlists is written for it or the
// directory has no more. Every page goes to the server in hand, and to the next server when that
// one fails (no connection, no answer in time, a status other than 200, an answer that is not a
// JSON array or too long); the run ends with "No Connection!" when every server failed for a
// page.
#pragma once

#include "JsonPageParser.h"
#include "PageSource.h"
#include "ServerChoice.h"
#include "StationSearchAddress.h"

#include <optional>

class PageFetcher;
class ScanHost;
class StationSink;

class RadioBrowserPages final : public PageSource {
public:
    // saver writes the stations and hears when a run begins.
    RadioBrowserPages(ScanHost& host, ScanState& state, PageFetcher& fetcher, StationSink& saver)
        : m_host(host), m_state(state), m_fetcher(fetcher), m_saver(saver) {}

    // Empties the station list: it holds only the stations written in the run.
    void startRun() override;
    void runGenre(const GenrePages& genre, ScanState& state) override;

    ServerChoice& servers() { return m_servers; }
    // What every later run asks of the directory besides the window's options.
    void setFilters(const LiveFilters& filters) { m_filters = filters; }

private:
    // One page of a search from the first server that answers it; none when every server failed
    // (the run is then ended) or the run was stopped.
    std::optional<JsonStationPage> fetch(const StationQuery& query);
    // Appends the station to the list and has it written; a station not written is taken out
    // again. True when it was written.
    bool save(const LiveStation& station);

    ScanHost& m_host;
    ScanState& m_state;
    PageFetcher& m_fetcher;
    StationSink& m_saver;
    ServerChoice m_servers;
    LiveFilters m_filters;
};
