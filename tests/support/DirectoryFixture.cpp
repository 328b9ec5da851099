#include "DirectoryFixture.h"

#include <QDir>

LocalDirectory::LocalDirectory(CatalogueOptions options)
    : server_(options),
      main_{"RADIOSIFT_MAIN_HOST", qEnvironmentVariableIsSet("RADIOSIFT_MAIN_HOST"),
            qgetenv("RADIOSIFT_MAIN_HOST")},
      classic_{"RADIOSIFT_CLASSIC_HOST", qEnvironmentVariableIsSet("RADIOSIFT_CLASSIC_HOST"),
               qgetenv("RADIOSIFT_CLASSIC_HOST")} {
    if (!server_.start()) return;
    const QByteArray hostPort = server_.hostPort().toLatin1();
    qputenv(main_.name, hostPort);
    qputenv(classic_.name, hostPort);
}

LocalDirectory::~LocalDirectory() {
    server_.stop();
    for (const SavedVariable* saved : {&main_, &classic_}) {
        if (saved->wasSet) {
            qputenv(saved->name, saved->value);
        } else {
            qunsetenv(saved->name);
        }
    }
}

QString LocalDirectory::downloadDir() const {
    return QDir(downloads_.path()).absolutePath() + QDir::separator();
}

void DirectoryFixture::SetUp() {
    directory_ = std::make_unique<LocalDirectory>(catalogueOptions());
    ASSERT_TRUE(directory_->started()) << "the local directory did not start";
}

void DirectoryFixture::TearDown() {
    directory_.reset();
}
