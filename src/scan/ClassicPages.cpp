#include "ClassicPages.h"

#include "PageFetcher.h"
#include "PageParser.h"
#include "QueryAddress.h"
#include "ScanHost.h"

void ClassicPages::writePageAddress(const PageQuery& query) {
    PageQuery layout = query;
    layout.currentLayout = m_host.chkNewChecked();
    m_host.setTxturlText(BuildQueryAddress(layout));
}

void ClassicPages::fetchPage() {
    m_fetcher.cmdGO_Click();
}

void ClassicPages::parsePage(int32_t maxStations) {
    if (m_host.chkNewChecked())
        m_parser.ParseCurrentPage(maxStations);
    else
        m_parser.ParseClassicPage(maxStations);
}
