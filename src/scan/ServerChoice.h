// ServerChoice: which server of the live community directory a run asks. The address that
// RADIOSIFT_RADIO_BROWSER_URL fixes; else the servers that the directory's name lists, found by
// looking up its addresses and turning each back into a host name, asked in random order until
// one answers, which the run then keeps.
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
    void setDiscovery(const Discovery& discovery) { m_discovery = discovery; }

    // A run begins: the servers are looked up again when it first asks.
    void startRun() { m_listed = false; }
    // The base address to ask now; none when there is no server (left) to ask.
    std::optional<QString> current();
    // The server asked now answered: the run keeps it.
    void keep() { m_kept = true; }
    // The server asked now did not answer. True when the next one is to be asked; false when
    // the failure stands (an address that is fixed or was kept).
    bool passOver();

private:
    void list();

    Discovery m_discovery;
    bool m_listed = false;
    bool m_kept = false;
    QStringList m_bases;
    qsizetype m_at = 0;
};
