// PageParser: cuts the station entries out of the page in m_PageText, appends them to the
// station list, filters them and hands each accepted one to the station sink.
#pragma once

#include <cstdint>

class ScanHost;
class StationSink;
struct ScanState;

class PageParser {
public:
    PageParser(ScanHost& host, ScanState& state, StationSink& sink)
        : m_host(host), m_state(state), m_sink(sink) {}

    // The directory's current page layout ("New server").
    void ParseCurrentPage(int32_t maxStations);
    // The directory's classic page layout.
    void ParseClassicPage(int32_t maxStations);

private:
    ScanHost& m_host;
    ScanState& m_state;
    StationSink& m_sink;
};
