// ClassicPages: the directory of the classic and current page layouts, on its two hosts; the
// "New server" box picks the layout for every page.
#pragma once

#include "PageSource.h"

class PageFetcher;
class PageParser;
class ScanHost;

class ClassicPages final : public PageSource {
public:
    ClassicPages(ScanHost& host, PageFetcher& fetcher, PageParser& parser)
        : m_host(host), m_fetcher(fetcher), m_parser(parser) {}

    void writePageAddress(const PageQuery& query) override;
    void fetchPage() override;
    void parsePage(int32_t maxStations) override;

private:
    ScanHost& m_host;
    PageFetcher& m_fetcher;
    PageParser& m_parser;
};
