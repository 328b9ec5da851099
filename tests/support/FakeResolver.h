// A resolver for tests: the directory's name resolves to the addresses given, each with the
// name given for it; no other name resolves. Every name asked is noted.
#pragma once

#include "HostResolver.h"
#include "ServerChoice.h"

#include <QMap>

class FakeResolver : public HostResolver {
public:
    QStringList addresses(const QString& name) override {
        asked.append(name);
        return name == QLatin1String(ServerChoice::kDirectoryName) ? found : QStringList();
    }
    QString nameOf(const QString& address) override { return names.value(address); }

    QStringList found;
    QMap<QString, QString> names;
    QStringList asked;
};
