// PageWriter: the HTML of the directory's result pages, in the classic layout
// (/directory/index.phtml) and the current one (/index.jsp). A page is written as a head, one
// piece per station entry and a foot, so that a very long page can be sent while it is made.
// Everything is written with LF line ends.
#pragma once

#include "CatalogueStation.h"
#include "DirectoryQuery.h"
#include "Misbehaviour.h"

#include <QByteArray>
#include <QString>

enum class PageLayout { Classic, Current };

// How one entry is written: as it should be, or damaged by a misbehaviour.
struct EntryLook {
    Malformation malformation = Malformation::None;

    // The look of the entry at 'position' (counted from 1 within the page).
    static EntryLook of(const Misbehaviour& misbehaviour, int position);
};

class PageWriter {
public:
    // 'hostPort' ("127.0.0.1:PORT") goes into the current layout's playlist links; 'matches'
    // is the number of stations the query matches, shown in the page's header and used for
    // its paging links.
    PageWriter(PageLayout layout, const DirectoryQuery& query, QString hostPort, int matches);

    QByteArray head() const;
    // 'position' counts from 1 within the page.
    QByteArray entry(const CatalogueStation& station, int position, const EntryLook& look) const;
    QByteArray foot() const;

    // The playlist address that a current-layout entry links to: this server's
    // /playlist.pls?id=RN, so that the text after "id=" is the station id alone.
    static QString currentPlaylistLink(const QString& hostPort, const QString& rn);

private:
    QByteArray classicHead() const;
    QByteArray classicEntry(const CatalogueStation& station, int position,
                            const EntryLook& look) const;
    QByteArray classicFoot() const;
    QByteArray currentHead() const;
    QByteArray currentEntry(const CatalogueStation& station, const EntryLook& look) const;
    QByteArray currentFoot() const;
    QString title() const;
    QString pageLink(int startAt) const;
    // The links to the previous and the next page, where there are such pages.
    QByteArray pagingLinks(const char* previous, const char* next) const;

    PageLayout layout_;
    DirectoryQuery query_;
    QString hostPort_;
    int matches_;
};
