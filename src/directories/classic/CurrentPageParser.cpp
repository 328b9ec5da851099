// The directory's current page layout: an entry starts at "dirMoreDtlDiv"; its links come
// before "dirMoreGnrDiv", its listener, bitrate and type cells after it.
#include "EntryCutter.h"
#include "PageParser.h"
#include "TextOps.h"

namespace {

// Every search of an entry goes through one of these, prepared when the program is built.
constexpr Delimiter kGenreBlock{u"dirMoreGnrDiv"};
constexpr Delimiter kCounterBlock{u"dirListenersCnt"};
constexpr Delimiter kBitrateLabel{u"Bitrate:"};
constexpr Delimiter kLinkTarget{u"href=\""};
constexpr Delimiter kCloseTag{u"</"};
constexpr Delimiter kTagEnd{u"\">"};
constexpr Delimiter kIdKey{u"id="};
constexpr Delimiter kQuote{u"\""};
constexpr Delimiter kTagClose{u">"};
constexpr Delimiter kLinkEnd{u"</a>"};

class CurrentEntry final : public MarkedEntryCutter {
public:
    QStringView entryMarker() const override { return u"dirMoreDtlDiv"; }

    bool cutPiece(QStringView piece) override {
        const Pieces parts = Split(piece, kGenreBlock);
        m_links = parts.at(0);
        const Pieces cells = Split(parts.at(1), kCounterBlock);
        if (cells.lastIndex() < 3) return false;
        m_bitrateCell = cells.at(2);
        m_typeCell = cells.at(3);
        return true;
    }

    QStringView typeText() const override { return m_typeCell; }

    void fill(StationEntry& entry) const override {
        readBitrate(entry);
        readLinks(entry);
    }

private:
    // "Bitrate:", the number (perhaps in a highlighting span), then a closing tag.
    void readBitrate(StationEntry& entry) const {
        const Pieces parts = Split(m_bitrateCell, kBitrateLabel);
        if (parts.lastIndex() < 1) return;
        const QStringView label = parts.at(1);
        ScratchText text;
        text.append(label.utf16(), label.size());
        const qsizetype close = Find(View(text), u"</span>", 1, Qt::CaseInsensitive);
        if (close > 0) text.remove(close - 1, 7);
        RemoveAll(text, u"<span class=\"fontYellowColor\">", Qt::CaseInsensitive);
        const qsizetype end = Find(View(text), kCloseTag, 1);
        if (end > 2) entry.Bitrate = Trim(Cut(View(text), 1, end - 1)).toString();
    }

    // The first link is the playlist (with the station id in its "id=" key), the second the
    // station's home page with its name as the link text.
    void readLinks(StationEntry& entry) const {
        const Pieces links = Split(m_links, kLinkTarget);
        if (links.lastIndex() < 2) return;
        const QStringView playlist = links.at(1);
        const qsizetype p = Find(playlist, kTagEnd, 1);
        if (p <= 2) return;
        entry.PlaylistLink = Cut(playlist, 1, p - 1).toString();
        const qsizetype id = Find(entry.PlaylistLink, kIdKey, 1);
        if (id > 2) entry.Rn = Cut(entry.PlaylistLink, id + 3).toString();

        const QStringView home = links.at(2);
        const qsizetype quote = Find(home, kQuote, 1);
        if (quote > 2) entry.HomeLink = Cut(home, 1, quote - 1).toString();
        // The link text starts one character after the tag's ">": that character (on the
        // directory's pages a blank) is dropped.
        const qsizetype g = Find(home, kTagClose, 1);
        const qsizetype e = Find(home, kLinkEnd, g);
        if (e > 2) {
            QString name = Trim(Cut(home, g + 2, e - g - 2)).toString();
            name.removeIf(
                [](QChar unit) { return unit == u'\t' || unit == u'\n' || unit == u'\r'; });
            entry.Name = name;
        }
    }

    QStringView m_links;
    QStringView m_bitrateCell;
    QStringView m_typeCell;
};

}  // namespace

void PageParser::ParseCurrentPage(int32_t maxStations) {
    CurrentEntry cutter;
    walkPage(cutter, maxStations);
}
