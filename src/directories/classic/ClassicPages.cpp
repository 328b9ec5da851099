#include "ClassicPages.h"

#include "PageFetcher.h"
#include "PageParser.h"
#include "QueryAddress.h"
#include "RunRecorder.h"
#include "ScanHost.h"
#include "ScanState.h"

#include <QScopeGuard>

void ClassicPages::runGenre(const GenrePages& genre, ScanState& state) {
    for (int page = 1; page <= genre.pages; ++page) {
        // However the page ends, read or stopped, it is let go.
        const auto release = qScopeGuard([this] { m_fetcher.releasePage(); });
        writePageAddress(genre.query(page));
        genre.checkPoint();
        m_fetcher.cmdGO_Click();
        genre.checkPoint();
        // An error page lists no stations, or not all of them.
        const HttpRequest* answer = state.m_Http.get();
        if (state.m_Recorder &&
            (!answer || !answer->completed() || answer->status() < 200 || answer->status() > 299))
            state.m_Recorder->listingIncomplete();
        parsePage(genre.pageSize);
        // A page stopped part-way ends the run stopped, the last page too.
        genre.checkPoint();
        state.m_ProgressBase = static_cast<float>(
            static_cast<double>(state.m_ProgressBase) +
            100.0 / (static_cast<double>(state.m_GenreCount) * state.m_PageCount));
    }
}

void ClassicPages::writePageAddress(const PageQuery& query) {
    PageQuery layout = query;
    layout.currentLayout = m_host.chkNewChecked();
    m_host.setTxturlText(BuildQueryAddress(layout));
}

void ClassicPages::parsePage(int32_t maxStations) {
    if (m_host.chkNewChecked())
        m_parser.ParseCurrentPage(maxStations);
    else
        m_parser.ParseClassicPage(maxStations);
}
