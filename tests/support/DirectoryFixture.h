// The local directory for a test: a DirectoryServer on a free port of 127.0.0.1 that the
// program's directory hosts point at while the test runs, and an empty folder for downloads.
#pragma once

#include "DirectoryServer.h"
#include "FolderRecord.h"
#include "HttpRequest.h"
#include "ScopedEnv.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <list>
#include <memory>

// A test suite that wants another catalogue overrides catalogueOptions().
class DirectoryFixture : public ::testing::Test {
protected:
    // A test may point the hosts elsewhere: they get their earlier values back either way.
    void SetUp() override {
        server_ = std::make_unique<DirectoryServer>(catalogueOptions());
        ASSERT_TRUE(server_->start()) << "the local directory did not start";
        for (const char* name : {"RADIOSIFT_MAIN_HOST", "RADIOSIFT_CLASSIC_HOST"})
            hosts_.emplace_back(name, server_->hostPort());
    }
    virtual CatalogueOptions catalogueOptions() const { return {}; }

    DirectoryServer& server() { return *server_; }
    // The body the directory answers for target, fetched by the program's own request.
    QByteArray bodyOf(const QString& target) {
        HttpRequest request;
        request.open(QStringLiteral("GET"), server_->baseUrl() + target);
        request.send();
        return request.responseBody();
    }
    const Catalogue& catalogue() const { return server_->catalogue(); }
    // The download folder, with a trailing separator; removed with everything in it at the end.
    QString downloadDir() const {
        return QDir(downloads_.path()).absolutePath() + QDir::separator();
    }
    // Every file below the download folder, hidden ones too, by relative path; the genre
    // folders' records too when asked for.
    QMap<QString, QByteArray> files(bool records = false) const {
        QMap<QString, QByteArray> files;
        QDirIterator it(downloadDir(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (!records && file.fileName().endsWith(QLatin1Char('/') + kFolderRecordName)) continue;
            files.insert(QDir(downloadDir()).relativeFilePath(file.fileName()),
                         file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>");
        }
        return files;
    }

private:
    std::unique_ptr<DirectoryServer> server_;
    QTemporaryDir downloads_;
    std::list<ScopedEnv> hosts_;
};
