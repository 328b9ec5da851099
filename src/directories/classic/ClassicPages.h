// ClassicPages: the directory of the classic and current page layouts, on its two hosts; the
// "New server" box picks the layout for every page.
#pragma once

#include "PageSource.h"

#include <cstdint>

class PageFetcher;
class PageParser;
class ScanHost;

class ClassicPages final : public PageSource {
public:
    ClassicPages(ScanHost& host, PageFetcher& fetcher, PageParser& parser)
        : m_host(host), m_fetcher(fetcher), m_parser(parser) {}

    // The genre's pages one after the other, each address written, fetched and read.
    void runGenre(const GenrePages& genre, ScanState& state) override;

private:
    void writePageAddress(const PageQuery& query);
    void parsePage(int32_t maxStations);

    ScanHost& m_host;
    PageFetcher& m_fetcher;
    PageParser& m_parser;
};
