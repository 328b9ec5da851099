// Fuzz target: line ends of a fetched page and the header lines of a response.
#include "FetchText.h"
#include "FuzzSupport.h"

namespace {

QString WithoutLineBreaks(QString text) {
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

void CheckLineEnds(const QString& text) {
    const QString page = NormaliseLineEnds(text);
    // Every line break is a CR LF pair, one for every CR sent; the rest of the text is kept.
    for (qsizetype i = 0; i < page.size(); ++i) {
        if (page[i] == u'\r') FUZZ_CHECK(i + 1 < page.size() && page[i + 1] == u'\n');
        if (page[i] == u'\n') FUZZ_CHECK(i > 0 && page[i - 1] == u'\r');
    }
    FUZZ_CHECK(page.count(u'\r') == text.count(u'\r'));
    FUZZ_CHECK(WithoutLineBreaks(page) == WithoutLineBreaks(text));
    FUZZ_CHECK(NormaliseLineEnds(page) == page);
}

void CheckHeaderLines(const QString& headers) {
    const QStringList lines = SplitHeaderLines(headers);
    // One item per CR LF; together the items are the text up to the last CR LF, without breaks.
    FUZZ_CHECK(lines.size() == headers.count(u"\r\n"));
    for (const QString& line : lines) FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
    const qsizetype last = headers.lastIndexOf(u"\r\n");
    FUZZ_CHECK(lines.join(QString()) == WithoutLineBreaks(headers.first(last < 0 ? 0 : last)));
    // After the fetcher's line ends, every CR sent ends one item.
    FUZZ_CHECK(SplitHeaderLines(NormaliseLineEnds(headers)).size() == headers.count(u'\r'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = DecodeInput(data, size);
    CheckLineEnds(text);
    CheckHeaderLines(text);
    return 0;
}
