#include "StoredProperties.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

// The resources live in this static library; registering them here makes sure the linker keeps
// them whenever stored properties are read.
static void RegisterStoredResources() {
    Q_INIT_RESOURCE(stored);
}

PropertyBag StoredProperties(const QString& controlName) {
    RegisterStoredResources();
    QFile file(QStringLiteral(":/stored/%1.json").arg(controlName));
    if (!file.open(QIODevice::ReadOnly)) return PropertyBag(Qt::CaseInsensitive);
    return PropertyBag::fromJson(QJsonDocument::fromJson(file.readAll()).object(),
                                 Qt::CaseInsensitive);
}
