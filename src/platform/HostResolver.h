// HostResolver: the name service's two look-ups, behind an interface so that tests give their
// own answers; SystemHostResolver asks the system's resolver.
#pragma once

#include <QString>
#include <QStringList>

class HostResolver {
public:
    virtual ~HostResolver() = default;
    // The numeric addresses (IPv4 and IPv6) of a host name; none when it cannot be resolved.
    virtual QStringList addresses(const QString& name) = 0;
    // The host name that an address turns back into (reverse look-up); empty when it has none.
    virtual QString nameOf(const QString& address) = 0;
};

// The system's resolver (getaddrinfo, getnameinfo); each call blocks until it has its answer.
class SystemHostResolver final : public HostResolver {
public:
    QStringList addresses(const QString& name) override;
    QString nameOf(const QString& address) override;
};
