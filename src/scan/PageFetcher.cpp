#include "PageFetcher.h"

#include "DownloadTime.h"
#include "FetchText.h"
#include "ScanHost.h"
#include "ScanState.h"

void PageFetcher::cmdGO_Click() {
    if (!load()) reportNoConnection();
}

bool PageFetcher::load(qint64 maxBytes) {
    m_state.m_Http.reset();
    m_state.m_Http = std::make_shared<HttpRequest>();
    m_host.clearLstHeaders();
    m_state.m_PageText.clear();
    m_host.DoEvents();
    // A run stopped during the events above asks for no page.
    if (m_state.stopAsked()) return true;

    const float start = SecondsSinceMidnight();
    const QString url = m_host.txturlText();
    if (url.isEmpty()) return true;
    const std::shared_ptr<HttpRequest> request = m_state.m_Http;
    HttpRequest& http = *request;
    http.open(QStringLiteral("GET"), url);
    ++m_state.m_Tally.current().requests;
    if (maxBytes >= 0) http.setBodyLimit(maxBytes);
    http.send();
    const float end = SecondsSinceMidnight();

    if (http.status() == HttpRequest::StatusHostNotResolved) return false;
    // Any other status is not looked at: an error page is parsed like any other page.
    m_host.setTxtStatText(DownloadTimeLine(start, end));
    // The answer's own copies go before the page is made, so that at most two are held at once.
    const QString text = http.responseText();
    http.releaseAnswer();
    m_state.m_PageText = NormaliseLineEnds(text);
    m_host.setTxtSourceText(m_state.m_PageText);
    for (const QString& line : SplitHeaderLines(http.getAllResponseHeaders()))
        m_host.addLstHeadersItem(line);
    return true;
}

void PageFetcher::releasePage() {
    m_state.m_PageText.clear();
    m_host.setTxtSourceText(QString());
}

void PageFetcher::reportNoConnection() {
    m_host.setCmdRunCaption(QStringLiteral("&Run"));
    m_state.m_Running = false;
    m_host.setTxtProgText(QStringLiteral("No Connection!"));
}
