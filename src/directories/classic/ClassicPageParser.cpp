// The directory's classic page layout: an entry starts at its playlist link, which carries the
// station id; the name is the text of the "listlinks" link; the cells that follow hold the
// title playing now and the bitrate.
#include "EntryCutter.h"
#include "PageParser.h"
#include "TextOps.h"

namespace {

// Every search of an entry goes through one of these, prepared when the program is built.
constexpr Delimiter kCell{u"size=\"2\" color=\"#FFFFFF\">"};
constexpr Delimiter kFileKey{u"&file=filename.pls"};
constexpr Delimiter kStationLink{u"<a id=\"listlinks\" target=\"_scurl\" href=\""};
constexpr Delimiter kNowPlaying{u"Now Playing:</font>"};
constexpr Delimiter kTagEnd{u"\">"};
constexpr Delimiter kLinkEnd{u"</a>"};
constexpr Delimiter kCloseTag{u"</"};

class ClassicEntry final : public MarkedEntryCutter {
public:
    QStringView entryMarker() const override { return u"<a href=\"/sbin/shoutcast-playlist.pls"; }

    bool cutPiece(QStringView piece) override {
        const Pieces parts = Split(piece, kFileKey);
        if (parts.lastIndex() < 1) return false;
        m_query = parts.at(0);
        m_rest = parts.at(1);
        return true;
    }

    QStringView typeText() const override { return m_rest; }

    void fill(StationEntry& entry) const override {
        entry.Rn = Cut(m_query, 5).toString();  // what follows "?rn="
        readLink(entry);
        readCells(entry);
    }

private:
    // The station's own link; its text, untouched, is the name.
    void readLink(StationEntry& entry) const {
        const QStringView link = Split(m_rest, kStationLink).at(1);
        const qsizetype p = Find(link, kTagEnd, 1);
        if (p <= 2) return;
        entry.PlaylistLink = Cut(link, 1, p - 1).toString();
        const qsizetype e = Find(link, kLinkEnd, p);
        if (e > 2) entry.Name = Cut(link, p + 2, e - p - 2).toString();
    }

    // With a title playing, the bitrate is the second cell after it; without, the third cell of
    // the entry.
    void readCells(StationEntry& entry) const {
        const Pieces playing = Split(m_rest, kNowPlaying);
        QStringView cells = m_rest;
        qsizetype bitrateCell = 3;
        if (playing.lastIndex() >= 1) {
            cells = playing.at(1);
            bitrateCell = 2;
            const qsizetype end = Find(cells, kCloseTag, 1);
            if (end > 2) entry.NowPlaying = Trim(Cut(cells, 1, end - 1)).toString();
        } else {
            entry.NowPlaying.clear();
        }
        const QStringView cell = Split(cells, kCell).at(bitrateCell);
        const qsizetype end = Find(cell, kCloseTag, 1);
        if (end > 2) entry.Bitrate = Trim(Cut(cell, 1, end - 1)).toString();
    }

    QStringView m_query;
    QStringView m_rest;
};

}  // namespace

void PageParser::ParseClassicPage(int32_t maxStations) {
    ClassicEntry cutter;
    walkPage(cutter, maxStations);
}
