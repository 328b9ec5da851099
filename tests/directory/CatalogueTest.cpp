// The generated catalogue: the same for the same seed, and rich in the cases the program must
// survive (awkward names, several stream types, full and free servers).
#include "Catalogue.h"
#include "TextCodec.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

namespace {

QStringList names(const Catalogue& catalogue) {
    QStringList list;
    for (const CatalogueStation& station : catalogue.stations()) list.append(station.name);
    return list;
}

}  // namespace

TEST(Catalogue, SameSeedGivesTheSameCatalogue) {
    const Catalogue first({.stationsPerGenre = 20, .seed = 7});
    const Catalogue again({.stationsPerGenre = 20, .seed = 7});
    const Catalogue other({.stationsPerGenre = 20, .seed = 8});
    EXPECT_EQ(names(first), names(again));
    EXPECT_NE(names(first), names(other));
    EXPECT_EQ(first.playlistText(first.stations()[5].id),
              again.playlistText(again.stations()[5].id));
}

class CatalogueSize : public ::testing::TestWithParam<int> {};

TEST_P(CatalogueSize, EveryGenreHoldsItsStationsUnderIdsOfTheirOwn) {
    const Catalogue catalogue({.stationsPerGenre = GetParam()});
    QSet<int> ids;
    QHash<QString, int> perGenre;
    for (const CatalogueStation& station : catalogue.stations()) {
        ids.insert(station.id);
        ++perGenre[station.genre];
        EXPECT_EQ(catalogue.station(station.id), &station);
    }
    EXPECT_EQ(ids.size(), catalogue.stations().size());
    EXPECT_EQ(perGenre.size(), GetParam() ? 19 : 0);
    for (const QString& genre : Catalogue::genres()) EXPECT_EQ(perGenre.value(genre), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Sizes, CatalogueSize, ::testing::Values(0, 1, 60, 200));

TEST(Catalogue, ValuesStayWithinWhatThePagesCanCarry) {
    const Catalogue catalogue;
    const QList<int> bitrates{24, 32, 48, 56, 64, 96, 128, 160, 192, 256, 320};
    for (const CatalogueStation& s : catalogue.stations()) {
        SCOPED_TRACE(s.name.toStdString());
        EXPECT_TRUE(bitrates.contains(s.bitrate));
        EXPECT_LE(s.name.size(), 40);
        EXPECT_EQ(s.name, s.name.trimmed());
        // These would end a name early, or cut a playlist title short.
        for (const char* bad : {"</", "=", "\t", "\n", "\r"})
            EXPECT_FALSE(s.name.contains(QLatin1String(bad)));
        EXPECT_TRUE(s.nowPlaying.isEmpty() ||
                    (s.nowPlaying.size() >= 2 && !s.nowPlaying.contains(QLatin1String("</"))));
        EXPECT_FALSE(s.homepage.contains(u'"'));
        EXPECT_GE(s.servers.size(), 1);
        EXPECT_LE(s.servers.size(), 4);
    }
}

TEST(Catalogue, HoldsTheAwkwardCases) {
    const Catalogue catalogue;
    const QString all = names(catalogue).join(u'\n');
    for (const char* awkward : {"/", "\\", ":", "*", "?", "\"", "<", ">", "|", "(", ")", "!", "~",
                                "@", "www.", "é", "ü"}) {
        EXPECT_TRUE(all.contains(QString::fromUtf8(awkward))) << awkward;
    }
    // A character that Windows-1252 lacks.
    EXPECT_NE(TextCodec::fromWindows1252(TextCodec::toWindows1252(all)), all);

    QHash<StreamType, int> types;
    int silent = 0, fullFirstThenFree = 0, allFull = 0, multi = 0;
    for (const CatalogueStation& s : catalogue.stations()) {
        ++types[s.type];
        silent += s.nowPlaying.isEmpty();
        multi += s.servers.size() > 1;
        const auto free = std::find_if(s.servers.begin(), s.servers.end(),
                                       [](const auto& v) { return v.hasRoom(); });
        allFull += free == s.servers.end();
        fullFirstThenFree += free != s.servers.end() && free != s.servers.begin();
    }
    const int total = catalogue.stations().size();
    EXPECT_GT(total, 1000);
    EXPECT_GT(types[StreamType::Mp3], total / 2);
    EXPECT_GT(types[StreamType::Aac], 0);
    EXPECT_GT(types[StreamType::Ogg], 0);
    EXPECT_GT(silent, 0);
    EXPECT_LT(silent, total);
    EXPECT_GT(multi, 0);
    EXPECT_GT(allFull, 0);
    EXPECT_GT(fullFirstThenFree, 0);
}

// Names that the program's cleaning (fifteen removals, then the 8-bit code page) would make
// equal would overwrite each other's playlist file.
TEST(Catalogue, NamesStayApartOnceCleaned) {
    const Catalogue catalogue;
    QSet<QString> cleaned;
    for (const CatalogueStation& s : catalogue.stations()) {
        QString name = s.name;
        for (const char* gone :
             {"/", "\\", ":", "*", "?", "\"", "<", ">", "|", "(", ")", "!", "~", "@", "www."}) {
            name.remove(QLatin1String(gone));
        }
        cleaned.insert(TextCodec::fromWindows1252(TextCodec::toWindows1252(name)).toLower());
    }
    EXPECT_EQ(cleaned.size(), catalogue.stations().size());
}

TEST(Catalogue, PlaylistListsEveryServerWithItsListenerCounts) {
    const Catalogue catalogue;
    EXPECT_TRUE(catalogue.playlistText(1).isEmpty());
    for (const CatalogueStation& s : catalogue.stations()) {
        const QStringList lines = catalogue.playlistText(s.id).split(u'\n');
        const int n = s.servers.size();
        ASSERT_EQ(lines.size(), 3 * n + 4);  // header, count, three per server, Version=2, ""
        EXPECT_EQ(lines[0], QLatin1String("[playlist]"));
        EXPECT_EQ(lines[1], QStringLiteral("numberofentries=%1").arg(n));
        for (int k = 1; k <= n; ++k) {
            const StreamServer& server = s.servers[k - 1];
            EXPECT_EQ(lines[3 * k - 1], QStringLiteral("File%1=%2").arg(k).arg(server.address));
            EXPECT_EQ(lines[3 * k], QStringLiteral("Title%1=(#%1 - %2/%3) ")
                                            .arg(k)
                                            .arg(server.listeners)
                                            .arg(server.maxListeners) +
                                        s.name);
            EXPECT_EQ(lines[3 * k + 1], QStringLiteral("Length%1=-1").arg(k));
            EXPECT_FALSE(server.address.contains(u'='));
        }
        EXPECT_EQ(lines[3 * n + 2], QLatin1String("Version=2"));
        EXPECT_EQ(lines[3 * n + 3], QString());
    }
}
