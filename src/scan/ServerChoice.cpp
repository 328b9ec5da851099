#include "ServerChoice.h"

#include "DirectoryHosts.h"
#include "HostResolver.h"

#include <algorithm>

ServerChoice::ServerChoice() {
    // Asked on threads of their own: the window repaints and takes Stop and Close meanwhile.
    static WaitingHostResolver system(std::make_shared<SystemHostResolver>());
    m_discovery.resolver = &system;
    m_discovery.random = QRandomGenerator::global();
    m_discovery.baseOf = [](const QString& name) { return QStringLiteral("https://") + name; };
}

std::optional<QString> ServerChoice::current() {
    if (!m_listed) list();
    if (m_at >= m_bases.size()) return std::nullopt;
    return m_bases[m_at];
}

bool ServerChoice::passOver() {
    if (m_kept) return false;
    ++m_at;
    return true;
}

void ServerChoice::list() {
    m_listed = true;
    m_bases.clear();
    m_at = 0;
    m_kept = false;
    const QString fixed = DirectoryHosts::radioBrowserUrl();
    if (!fixed.isEmpty()) {
        m_bases.append(fixed);
        m_kept = true;  // there is no other to ask
        return;
    }
    // The servers' names, for https, and each once: an address without a name is passed by.
    HostResolver& resolver = *m_discovery.resolver;
    QStringList names;
    for (const QString& address : resolver.addresses(QString::fromLatin1(kDirectoryName))) {
        const QString name = resolver.nameOf(address);
        if (!name.isEmpty() && !names.contains(name)) names.append(name);
    }
    // Spreads the load of every user over the servers, as the directory asks.
    std::shuffle(names.begin(), names.end(), *m_discovery.random);
    for (const QString& name : names) m_bases.append(m_discovery.baseOf(name));
}
