// RadioBrowserPages: the live community directory. Its station search answers each page in JSON;
// a page goes to the server the run keeps, and until one has answered, to the next server when
// one does not (no connection, no answer in time, a server error).
#pragma once

#include "PageParser.h"
#include "PageSource.h"
#include "QueryAddress.h"
#include "ServerChoice.h"

class PageFetcher;

class RadioBrowserPages final : public PageSource {
public:
    // saver receives the stations of every page and hears when a run begins.
    RadioBrowserPages(ScanHost& host, ScanState& state, PageFetcher& fetcher, StationSink& saver)
        : m_host(host),
          m_state(state),
          m_fetcher(fetcher),
          m_saver(saver),
          m_parser(host, state, saver) {}

    void startRun() override;
    void writePageAddress(const PageQuery& query) override;
    void fetchPage() override;
    void parsePage(int32_t maxStations) override;

    ServerChoice& servers() { return m_servers; }

private:
    // False when there is no server to ask: the run then ends with "No Connection!".
    bool writeAddress();

    ScanHost& m_host;
    ScanState& m_state;
    PageFetcher& m_fetcher;
    StationSink& m_saver;
    PageParser m_parser;
    ServerChoice m_servers;
    PageQuery m_query;  // of the page in hand
};
