#include "DirectoryHosts.h"

namespace {

QString hostFrom(const char* variable, const char* fallback) {
    const QString value = qEnvironmentVariable(variable).trimmed();
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

}  // namespace

namespace DirectoryHosts {

QString mainHost() { return hostFrom("RADIOSIFT_MAIN_HOST", "directory.example.com"); }
QString classicHost() { return hostFrom("RADIOSIFT_CLASSIC_HOST", "classic.directory.example.com"); }

}  // namespace DirectoryHosts
