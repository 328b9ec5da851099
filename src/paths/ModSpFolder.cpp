#include "ModSpFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString SpecialFolderPath(int folderNumber) {
    QStandardPaths::StandardLocation location;
    switch (folderNumber) {
        case SpecialFolderDocuments: location = QStandardPaths::DocumentsLocation; break;
        case SpecialFolderAppData: location = QStandardPaths::GenericDataLocation; break;
        default: return {};
    }
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(location));
}

QString EnvValue(const QString& name) { return qEnvironmentVariable(name.toLocal8Bit().constData()); }

QString TempFolder() {
    const QString temp = EnvValue(QStringLiteral("TEMP"));
    return temp.isEmpty() ? QDir::toNativeSeparators(QDir::tempPath()) : temp;
}

QString ProgramFolder() { return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()); }
