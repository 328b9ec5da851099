// PageFetcher: loads the page whose address stands in txturl into m_PageText, and shows its
// text, header lines and timing in the window's hidden displays.
#pragma once

class ScanHost;
struct ScanState;

class PageFetcher {
public:
    PageFetcher(ScanHost& host, ScanState& state) : m_host(host), m_state(state) {}

    // The click handler of cmdGO; the scan driver calls it for every page.
    void cmdGO_Click();
    // Ends the run for want of a connection: "No Connection!" in txtProg, Run on the button.
    void reportNoConnection();

private:
    ScanHost& m_host;
    ScanState& m_state;
};
