// PageSource: a station directory as the scan driver asks it for result pages: where a page is,
// how it is fetched, and which reader takes it.
#pragma once

#include <cstdint>

struct PageQuery;

class PageSource {
public:
    virtual ~PageSource() = default;
    // A run begins: what the source kept from an earlier run is forgotten.
    virtual void startRun() {}
    // Writes the address of the page into txturl.
    virtual void writePageAddress(const PageQuery& query) = 0;
    // Fetches the page into m_PageText. A page that leaves m_Running cleared ends the run.
    virtual void fetchPage() = 0;
    // Reads the page, saving up to maxStations of its stations.
    virtual void parsePage(int32_t maxStations) = 0;
};
