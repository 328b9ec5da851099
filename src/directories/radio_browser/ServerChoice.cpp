#include "ServerChoice.h"

#include "DirectoryHosts.h"
#include "HostResolver.h"

#include <QRegularExpression>
#include <algorithm>

ServerChoice::ServerChoice() {
    // Asked on threads of their own: the window repaints and takes Stop and Close meanwhile.
    static WaitingHostResolver system(std::make_shared<SystemHostResolver>());
    m_discovery.resolver = &system;
    m_discovery.random = QRandomGenerator::global();
    m_discovery.baseOf = [](const QString& name) { return QStringLiteral("https://") + name; };
}

bool ServerChoice::IsServerName(const QString& name) {
    // Host labels of letters, digits and hyphens, then the directory's own domain. Anything
    // else a resolver hands back would make its own host the directory.
    static const QRegularExpression pattern(
        QStringLiteral("^([a-z0-9]([a-z0-9-]*[a-z0-9])?\\.)+api\\.radio-browser\\.info\\.?$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

void ServerChoice::startRun() {
    m_failed = 0;
    if (m_fixed || !DirectoryHosts::radioBrowserUrl().isEmpty()) m_listed = false;
}

std::optional<QString> ServerChoice::current() {
    if (!m_listed) list();
    if (m_failed >= m_bases.size() && !m_fresh) list();  // every server kept failed: look again
    if (m_failed >= m_bases.size()) {
        m_listed = false;  // the next page looks up again
        return std::nullopt;
    }
    return m_bases[m_at];
}

void ServerChoice::answered() {
    m_failed = 0;
    m_fresh = m_fixed;
}

void ServerChoice::failed() {
    ++m_failed;
    if (!m_bases.isEmpty()) m_at = (m_at + 1) % m_bases.size();
}

void ServerChoice::list() {
    m_listed = true;
    m_fresh = true;
    m_bases.clear();
    m_at = 0;
    m_failed = 0;
    const QString fixed = DirectoryHosts::radioBrowserUrl();
    m_fixed = !fixed.isEmpty();
    if (m_fixed) {
        m_bases.append(fixed);
        return;
    }
    // The servers' names, for https, and each once: an address without a fitting name is passed
    // by.
    HostResolver& resolver = *m_discovery.resolver;
    QStringList names;
    for (const QString& address : resolver.addresses(QString::fromLatin1(kDirectoryName))) {
        QString name = resolver.nameOf(address).toLower();
        if (name.endsWith(u'.')) name.chop(1);
        if (IsServerName(name) && !names.contains(name)) names.append(name);
    }
    // Spreads the load of every user over the servers, as the directory asks.
    std::shuffle(names.begin(), names.end(), *m_discovery.random);
    for (const QString& name : names) m_bases.append(m_discovery.baseOf(name));
}
