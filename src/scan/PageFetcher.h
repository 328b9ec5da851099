// PageFetcher: loads the page whose address stands in txturl into m_PageText, and shows its
// text, header lines and timing in the window's hidden displays.
#pragma once

#include <QtGlobal>

class ScanHost;
struct ScanState;

class PageFetcher {
public:
    PageFetcher(ScanHost& host, ScanState& state) : m_host(host), m_state(state) {}

    // The click handler of cmdGO; the scan driver calls it for every page.
    void cmdGO_Click();
    // Loads the page as cmdGO_Click does, without reporting anything. An answer longer than
    // maxBytes (when not negative) is not read past that length and counts as a failed transfer:
    // the page stays empty. False when the host name could not be resolved.
    bool load(qint64 maxBytes = -1);
    // Lets the page go once a run has read it: its text and the box that shows it. A hostile
    // page can be tens of megabytes, kept for nothing until the next page or for ever.
    void releasePage();
    // Ends the run for want of a connection: "No Connection!" in txtProg, Run on the button.
    void reportNoConnection();

private:
    ScanHost& m_host;
    ScanState& m_state;
};
