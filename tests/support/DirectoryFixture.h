// The local directory for a test: a DirectoryServer on a free port of 127.0.0.1 that the
// program's directory hosts point at while the test runs, and an empty folder for downloads.
#pragma once

#include "DirectoryServer.h"
#include "HttpRequest.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <memory>
#include <optional>

// One GET through the program's own request.
struct Fetched : HttpRequest {
    explicit Fetched(const QString& url) {
        open(QStringLiteral("GET"), url);
        send();
        text = responseText();
    }
    QString text;
};

// Every file below root, hidden ones too, by path relative to root.
inline QMap<QString, QByteArray> FilesUnder(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files.insert(QDir(root).relativeFilePath(file.fileName()),
                     file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>");
    }
    return files;
}

// A test suite that wants another catalogue overrides catalogueOptions().
class DirectoryFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto& [name, saved] : hosts_)
            if (qEnvironmentVariableIsSet(name)) saved = qgetenv(name);
        server_ = std::make_unique<DirectoryServer>(catalogueOptions());
        ASSERT_TRUE(server_->start()) << "the local directory did not start";
        for (auto& [name, saved] : hosts_) qputenv(name, server_->hostPort().toLatin1());
    }
    // A test may point the hosts elsewhere: they get their earlier values back either way.
    void TearDown() override {
        server_.reset();
        for (auto& [name, saved] : hosts_) saved ? qputenv(name, *saved) : qunsetenv(name);
    }
    virtual CatalogueOptions catalogueOptions() const { return {}; }

    DirectoryServer& server() { return *server_; }
    Fetched get(const QString& target) { return Fetched(server_->baseUrl() + target); }
    const Catalogue& catalogue() const { return server_->catalogue(); }
    // The download folder, with a trailing separator; removed with everything in it at the end.
    QString downloadDir() const {
        return QDir(downloads_.path()).absolutePath() + QDir::separator();
    }
    QMap<QString, QByteArray> files() const { return FilesUnder(downloadDir()); }

private:
    std::unique_ptr<DirectoryServer> server_;
    QTemporaryDir downloads_;
    std::pair<const char*, std::optional<QByteArray>> hosts_[2] = {
        {"RADIOSIFT_MAIN_HOST", std::nullopt}, {"RADIOSIFT_CLASSIC_HOST", std::nullopt}};
};
