// HostResolver: the name service's two look-ups, behind an interface so that tests give their
// own answers; SystemHostResolver asks the system's resolver, and WaitingHostResolver waits for
// another resolver without holding up the thread's events.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class HostResolver {
public:
    virtual ~HostResolver() = default;
    // The numeric addresses (IPv4 and IPv6) of a host name; none when it cannot be resolved.
    virtual QStringList addresses(const QString& name) = 0;
    // The host name that an address turns back into (reverse look-up); empty when it has none.
    virtual QString nameOf(const QString& address) = 0;
};

// The system's resolver (getaddrinfo, getnameinfo); each call blocks until it has its answer,
// which a name server that does not answer can put off for a minute.
class SystemHostResolver final : public HostResolver {
public:
    QStringList addresses(const QString& name) override;
    QString nameOf(const QString& address) override;
};

// Asks another resolver on a thread of its own and waits for its answer as for a request
// (PendingEvents::Wait): the thread's events run meanwhile, and the wait ends as soon as the
// answer is there. A look-up whose wait is given up, or
// that was begun from within another wait, has no answer; the thread that asks it is left to
// finish on its own and its answer is dropped. The other resolver must allow calls from any
// thread, several at a time.
class WaitingHostResolver final : public HostResolver {
public:
    explicit WaitingHostResolver(std::shared_ptr<HostResolver> blocking)
        : m_blocking(std::move(blocking)) {}
    QStringList addresses(const QString& name) override;
    QString nameOf(const QString& address) override;

private:
    std::shared_ptr<HostResolver> m_blocking;
};
