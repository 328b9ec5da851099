// ServerChoice: which server of the live community directory is asked. The address that
// RADIOSIFT_RADIO_BROWSER_URL fixes; else the servers that the directory's name lists, found by
// looking up its addresses and turning each back into a host name under api.radio-browser.info,
// in random order. The list is kept for the session; a server that fails hands the page to the
// next one, and the one that answers is asked from then on. Only when every server failed for
// one page are they looked up again.
#pragma once

#include <QRandomGenerator>
#include <QStringList>
#include <functional>
#include <optional>

class HostResolver;

class ServerChoice {
public:
    // The name whose addresses are the directory's servers.
    static constexpr const char* kDirectoryName = "all.api.radio-browser.info";

    // How servers are found when no address is fixed.
    struct Discovery {
        HostResolver* resolver = nullptr;
        QRandomGenerator* random = nullptr;                  // shuffles the servers
        std::function<QString(const QString& name)> baseOf;  // a server's base address
    };

    // The system's resolver and random source; servers are asked at https://NAME.
    ServerChoice();
    explicit ServerChoice(const Discovery& discovery) : m_discovery(discovery) {}
    void setDiscovery(const Discovery& discovery) {
        m_discovery = discovery;
        m_listed = false;
    }

    // True for a name the directory's servers may have: one under api.radio-browser.info.
    static bool IsServerName(const QString& name);

    // A run begins: a fixed address is read again; servers that were found are kept.
    void startRun();
    // The base address to ask for the page in hand; none when every server failed for it.
    std::optional<QString> current();
    // The server asked now answered: the next page goes to it too.
    void answered();
    // The server asked now failed: the page goes to the next one.
    void failed();

private:
    void list();

    Discovery m_discovery;
    bool m_listed = false;
    bool m_fixed = false;  // the list is the fixed address
    bool m_fresh = false;  // the list was made for the page in hand
    QStringList m_bases;
    qsizetype m_at = 0;      // the server asked now
    qsizetype m_failed = 0;  // servers that failed in a row for the page in hand
};
