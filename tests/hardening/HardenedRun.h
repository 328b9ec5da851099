// A run through the real main window against the local directory, for the hardening tests:
// short time-outs, a download folder inside the test's temporary tree, and the stations of the
// Rock pages that a run of 50 stations (two pages of 25) asks for.
#pragma once

#include "DirectoryFixture.h"
#include "HttpRequest.h"
#include "RunOptions.h"

#include <QByteArray>
#include <QList>
#include <QString>

class frmMain;

class HardenedRun : public DirectoryFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // The limits every test starts with: a request that gets no byte for a second, or has not
    // ended after five, is given up.
    static HttpRequest::Limits shortLimits();

    // The whole temporary tree of the test: nothing may be written anywhere in it but the
    // genre folder.
    QString tree() const { return downloadDir(); }
    QString genreFolder() const { return downloadDir() + QStringLiteral("downloads/Rock/"); }
    RunOptions options() const;

    // The stations of Rock page 1 or 2 (25 each), in the page's order.
    QList<CatalogueStation> rockPage(int page) const;
    QList<CatalogueStation> bothRockPages() const { return rockPage(1) + rockPage(2); }
    // The directory's first request of a run with options(): the first Rock page.
    static QString firstPageTarget() { return QStringLiteral("/directory/index.phtml?&sgenre=Rock"); }
    static QString playlistTarget(int id);

    // Gives every station listed an earlier playlist file "ID.pls" holding earlierPlaylist().
    void writeEarlierFiles(const QList<CatalogueStation>& stations) const;
    static QByteArray earlierPlaylist() { return QByteArrayLiteral("[playlist]\r\nearlier\r\n"); }

    // Runs through the window with these options; the run must end completed.
    void runToTheEnd(const RunOptions& options);
    // Files of the tree that lie anywhere but directly in the genre folder.
    QStringList filesOutsideTheGenreFolder() const;

private:
    HttpRequest::Limits saved_;
};
