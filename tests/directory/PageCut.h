// The two ways the program cuts station entries out of a directory page, written out plainly
// so that the tests can check the local directory's pages against them. Only what the pages
// must get right is here: no filters, no station limit, no progress.
#pragma once

#include <QList>
#include <QString>

struct CutEntry {
    QString rn;
    QString name;
    QString bitrate;
    QString type;
    QString nowPlaying;
    QString homeLink;
    QString playlistLink;
};

// Entries of a classic page; reading stops where the program's reading would fail.
QList<CutEntry> cutClassicPage(const QString& page);
// Entries of a current page; reading stops where the program's reading would fail.
QList<CutEntry> cutCurrentPage(const QString& page);

// The page text as the program keeps it: every LF removed, every CR made CR LF.
QString asFetched(QString text);
