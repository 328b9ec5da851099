#include "RadioBrowserPages.h"

#include "PageFetcher.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationSearchAddress.h"
#include "StationSink.h"

void RadioBrowserPages::startRun() {
    m_servers.startRun();
    m_saver.startRun();
}

void RadioBrowserPages::writePageAddress(const PageQuery& query) {
    m_query = query;
    writeAddress();
}

bool RadioBrowserPages::writeAddress() {
    const std::optional<QString> base = m_servers.current();
    m_host.setTxturlText(base ? BuildStationSearchAddress(*base, m_query) : QString());
    return base.has_value();
}

void RadioBrowserPages::fetchPage() {
    for (;;) {
        if (!writeAddress()) {
            m_fetcher.reportNoConnection();
            return;
        }
        m_fetcher.cmdGO_Click();
        if (!m_state.m_Running) return;  // a stop, or a name that cannot be resolved
        const HttpRequest& http = *m_state.m_Http;
        if (http.completed() && http.status() < 500) {
            m_servers.keep();
            return;
        }
        // Any other failure ends the page quietly, as on the other layouts.
        if (!m_servers.passOver()) return;
    }
}

void RadioBrowserPages::parsePage(int32_t maxStations) {
    m_parser.ParseJsonPage(maxStations);
}
