// The local directory for a test: a DirectoryServer on a free port of 127.0.0.1 that the
// program's directory hosts point at, and an empty folder for the downloads.
#pragma once

#include "DirectoryServer.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// Starts the server and sets RADIOSIFT_MAIN_HOST and RADIOSIFT_CLASSIC_HOST to it for its own
// lifetime; the variables get their earlier values back when it goes.
class LocalDirectory {
public:
    explicit LocalDirectory(CatalogueOptions options = {});
    ~LocalDirectory();
    LocalDirectory(const LocalDirectory&) = delete;
    LocalDirectory& operator=(const LocalDirectory&) = delete;

    bool started() const { return server_.isRunning(); }
    DirectoryServer& server() { return server_; }
    const Catalogue& catalogue() const { return server_.catalogue(); }
    // The download folder, with a trailing separator; removed with everything in it at the end.
    QString downloadDir() const;

private:
    struct SavedVariable {
        const char* name;
        bool wasSet;
        QByteArray value;
    };
    DirectoryServer server_;
    QTemporaryDir downloads_;
    SavedVariable main_;
    SavedVariable classic_;
};

// A GoogleTest fixture around LocalDirectory. A test suite that wants another catalogue
// overrides catalogueOptions().
class DirectoryFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual CatalogueOptions catalogueOptions() const { return {}; }

    DirectoryServer& server() { return directory_->server(); }
    const Catalogue& catalogue() const { return directory_->catalogue(); }
    QString downloadDir() const { return directory_->downloadDir(); }

private:
    std::unique_ptr<LocalDirectory> directory_;
};
