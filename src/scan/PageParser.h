// PageParser: cuts the station entries out of the page in m_PageText, appends them to the
// station list, filters them and hands each accepted one to the station sink.
#pragma once

#include <cstdint>

class EntryCutter;
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
    // Reads every entry of the page in m_PageText with the layout's cutter; a PageFault (or any
    // other fault) ends the page, keeping what was appended and saved.
    void walkPage(EntryCutter& cutter, int32_t maxStations);
    void walkEntries(EntryCutter& cutter, int32_t maxStations);

    ScanHost& m_host;
    ScanState& m_state;
    StationSink& m_sink;
};
