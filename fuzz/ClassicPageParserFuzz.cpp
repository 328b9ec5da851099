// Fuzz target: the parser of the directory's classic page layout.
#include "PageParserFuzz.h"

namespace {

void CheckClassicEntry(const StationEntry& e, const QString& page) {
    FUZZ_CHECK(e.HomeLink.isEmpty());
    // The id is cut from the playlist query before "&file=filename.pls"; the link and the name
    // are cut from the page as they stand, the name ending before the first "</a>".
    FUZZ_CHECK(page.contains(e.Rn) && !e.Rn.contains(u"&file=filename.pls"));
    FUZZ_CHECK(page.contains(e.PlaylistLink) && !e.PlaylistLink.contains(u"\">"));
    FUZZ_CHECK(page.contains(e.Name) && !e.Name.contains(u"</a>"));
    if (e.PlaylistLink.isEmpty()) FUZZ_CHECK(e.Name.isEmpty());
    FUZZ_CHECK(page.contains(e.Bitrate));
    FUZZ_CHECK(page.contains(e.NowPlaying) && !e.NowPlaying.contains(u"</") &&
               pagefuzz::IsTrimmed(e.NowPlaying));
}

const pagefuzz::Layout kClassic{&PageParser::ParseClassicPage,
                                u"<a href=\"/sbin/shoutcast-playlist.pls", CheckClassicEntry};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pagefuzz::FuzzPage(kClassic, data, size);
    return 0;
}
