// Fuzz target: the parser of the directory's current page layout.
#include "PageParserFuzz.h"

namespace {

void CheckCurrentEntry(const StationEntry& e, const QString& page) {
    FUZZ_CHECK(e.NowPlaying.isEmpty());
    FUZZ_CHECK(!e.Name.contains(u'\t') && !e.Name.contains(u'\r') && !e.Name.contains(u'\n'));
    // Links are cut from the page as they stand; without a playlist link there is nothing else.
    FUZZ_CHECK(page.contains(e.PlaylistLink) && !e.PlaylistLink.contains(u"\">"));
    FUZZ_CHECK(page.contains(e.HomeLink) && !e.HomeLink.contains(u'"'));
    if (e.PlaylistLink.isEmpty())
        FUZZ_CHECK(e.Rn.isEmpty() && e.HomeLink.isEmpty() && e.Name.isEmpty());
    // The station id is the end of the playlist link, after an "id=" that is not at its start.
    if (!e.Rn.isEmpty()) {
        const qsizetype id = e.PlaylistLink.indexOf(u"id=");
        FUZZ_CHECK(id >= 2 && e.PlaylistLink.sliced(id + 3) == e.Rn);
    }
}

const pagefuzz::Layout kCurrent{&PageParser::ParseCurrentPage, u"dirMoreDtlDiv", CheckCurrentEntry};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pagefuzz::FuzzPage(kCurrent, data, size);
    return 0;
}
