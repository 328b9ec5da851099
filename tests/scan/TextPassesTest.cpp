// The passes the parsers make over an entry without a search per hit or a string per edit: every
// closing tag handed over in one pass, and removal from a scratch text on the stack.
#include "TextOps.h"

#include <gtest/gtest.h>

#include <QList>
#include <random>

namespace {

// Texts rich in what the passes look for, and in units that only look like it once narrowed
// to a byte: U+013C and U+012F end in the bytes of '<' and '/', U+803C and U+FF0F lie above
// the signed 16-bit range.
QString RandomText(std::mt19937& engine, int longest) {
    static const char16_t alphabet[] = {u'<', u'/', u'a', u'A', u's', u'S', u'p', u'n',
                                        u'\u013C', u'\u012F', u'\u803C', u'\uFF0F', u'\u017F',
                                        u'3', u'"', u'>'};
    QString out;
    const int length = std::uniform_int_distribution<int>(0, longest)(engine);
    for (int i = 0; i < length; ++i)
        out += QChar(alphabet[std::uniform_int_distribution<size_t>(0, std::size(alphabet) - 1)(
            engine)]);
    return out;
}

QList<qsizetype> EveryTagClose(const QString& text) {
    QList<qsizetype> found;
    for (qsizetype at = text.indexOf(u"</"); at >= 0; at = text.indexOf(u"</", at + 1))
        found.append(at);
    return found;
}

TEST(TextPassesTest, EveryClosingTagIsHandedOverInOrderUntilTheVisitSaysStop) {
    std::mt19937 engine(7);
    for (int round = 0; round < 20000; ++round) {
        const QString text = RandomText(engine, 80);
        const QList<qsizetype> expected = EveryTagClose(text);
        QList<qsizetype> visited;
        ForEachTagClose(text, [&visited](qsizetype at) {
            visited.append(at);
            return true;
        });
        ASSERT_EQ(visited, expected) << text.toStdString();

        // Told to stop, the pass hands over nothing more.
        const qsizetype wanted = expected.isEmpty() ? 0 : 1 + round % expected.size();
        QList<qsizetype> first;
        ForEachTagClose(text, [&first, wanted](qsizetype at) {
            first.append(at);
            return first.size() < wanted;
        });
        ASSERT_EQ(first, expected.first(wanted)) << text.toStdString();
    }
}

TEST(TextPassesTest, RemoveAllFromAScratchTextAgreesWithQt) {
    std::mt19937 engine(11);
    for (int round = 0; round < 20000; ++round) {
        // Up to twice the room kept on the stack, so that some texts live on the heap.
        const QString original = RandomText(engine, 256);
        const QString what = RandomText(engine, 4);
        for (const auto cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
            ScratchText ours;
            ours.append(QStringView(original).utf16(), original.size());
            RemoveAll(ours, what, cs);
            const QString theirs = QString(original).remove(what, cs);
            ASSERT_EQ(View(ours), theirs) << original.toStdString() << " / " << what.toStdString();
        }
    }
}

}  // namespace
