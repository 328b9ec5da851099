// EntryCutter: what one directory answer layout knows about its station entries. The page walk
// (PageParser) does the rest, which every layout shares.
#pragma once

#include "StationEntry.h"
#include "TextOps.h"

#include <QString>
#include <QStringView>
#include <optional>

class EntryCutter {
public:
    virtual ~EntryCutter() = default;

    // Finds the entries of a page; the page outlives the calls below. Returns n: the entries
    // are numbered 1 to n (0 or less: the page holds none).
    virtual qsizetype splitPage(const QString& page) = 0;
    // Cuts entry i into the parts the other calls read. False when it holds no entry: it is
    // skipped and nothing is appended. Throws PageFault when the page cannot be read further.
    virtual bool cut(qsizetype i) = 0;
    // The stream type the entry just cut names; streamType holds the type of the entry before.
    virtual void readStreamType(QString& streamType) const = 0;
    // Fills the fields of the entry just appended from the entry last cut; may throw PageFault,
    // leaving the fields filled so far.
    virtual void fill(StationEntry& entry) const = 0;
};

// A page of text whose entries each begin with a marker; the piece after a marker names the
// stream type by the marks "MP3</", "AAC+</" and "OGG</", else keeps the type before.
class MarkedEntryCutter : public EntryCutter {
public:
    // The text every entry of a page begins with.
    virtual QStringView entryMarker() const = 0;
    // Cuts the piece of the page that follows one entry marker (see cut).
    virtual bool cutPiece(QStringView piece) = 0;
    // The part of the entry that names its stream type.
    virtual QStringView typeText() const = 0;

    qsizetype splitPage(const QString& page) final {
        m_pieces = Split(page, entryMarker());
        return m_pieces->lastIndex();
    }
    bool cut(qsizetype i) final { return cutPiece(m_pieces->at(i)); }
    void readStreamType(QString& streamType) const final;

private:
    std::optional<Pieces> m_pieces;  // of the page last split
};
