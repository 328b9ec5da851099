// The result pages, cut the way the program cuts them: every station comes back with the
// catalogue's values, and the query keys choose and order the stations.
#include "DirectoryFixture.h"
#include "Fetch.h"
#include "PageCut.h"
#include "PageWriter.h"

#include <QRegularExpression>
#include <QSet>

namespace {

class DirectoryPages : public DirectoryFixture, public ::testing::WithParamInterface<PageLayout> {
protected:
    bool classic() const { return GetParam() == PageLayout::Classic; }

    QList<CutEntry> page(const QString& rawQuery) {
        const QString path =
            classic() ? QStringLiteral("/directory/index.phtml?") : QStringLiteral("/index.jsp?");
        const Fetched answer = fetch(server().baseUrl() + path + rawQuery);
        EXPECT_EQ(answer.status, 200) << rawQuery.toStdString();
        const QString text = asFetched(answer.text);
        return classic() ? cutClassicPage(text) : cutCurrentPage(text);
    }

    const CatalogueStation& stationOf(const CutEntry& entry) {
        const CatalogueStation* station = catalogue().station(entry.rn.toInt());
        if (!station) ADD_FAILURE() << "no station " << entry.rn.toStdString();
        static const CatalogueStation none;
        return station ? *station : none;
    }

    QList<int> ids(const QList<CutEntry>& entries) {
        QList<int> list;
        for (const CutEntry& entry : entries) list.append(entry.rn.toInt());
        return list;
    }

    int countInCatalogue(const std::function<bool(const CatalogueStation&)>& keep) {
        return std::count_if(catalogue().stations().begin(), catalogue().stations().end(), keep);
    }
};

}  // namespace

TEST_P(DirectoryPages, EveryStationCutsBackToItsCatalogueValues) {
    for (const QString& genre : Catalogue::genres()) {
        const QList<CutEntry> entries = page(QStringLiteral("&sgenre=%1&numresult=100").arg(genre));
        ASSERT_EQ(entries.size(), 60) << genre.toStdString();
        int lastListeners = INT_MAX;
        for (const CutEntry& entry : entries) {
            const CatalogueStation& s = stationOf(entry);
            SCOPED_TRACE(s.name.toStdString());
            EXPECT_EQ(entry.rn, QString::number(s.id));
            EXPECT_EQ(s.genre, genre);
            EXPECT_EQ(entry.name, s.name);
            EXPECT_EQ(entry.bitrate, QString::number(s.bitrate));
            EXPECT_EQ(entry.type, streamTypeName(s.type));
            if (classic()) {
                EXPECT_EQ(entry.nowPlaying, s.nowPlaying);
                EXPECT_EQ(entry.playlistLink, s.homepage);
            } else {
                EXPECT_EQ(entry.homeLink, s.homepage);
                EXPECT_EQ(entry.playlistLink, server().currentPlaylistLink(s.id));
            }
            // Most listeners first.
            EXPECT_LE(s.listeners(), lastListeners);
            lastListeners = s.listeners();
        }
    }
}

TEST_P(DirectoryPages, StartatAndNumresultWalkThroughAGenre) {
    const QList<CutEntry> first = page(QStringLiteral("&sgenre=Rock"));
    const QList<CutEntry> second = page(QStringLiteral("startat=25&sgenre=Rock"));
    const QList<CutEntry> third = page(QStringLiteral("startat=50&sgenre=Rock"));
    EXPECT_EQ(first.size(), 25);
    EXPECT_EQ(second.size(), 25);
    EXPECT_EQ(third.size(), 10);
    const QList<int> walked = ids(first) + ids(second) + ids(third);
    EXPECT_EQ(QSet<int>(walked.begin(), walked.end()).size(), 60);
    EXPECT_EQ(ids(page(QStringLiteral("numresult=5&sgenre=Rock"))), ids(first).mid(0, 5));
    EXPECT_EQ(ids(page(QStringLiteral("startat=20&numresult=10&sgenre=Rock"))), walked.mid(20, 10));
    EXPECT_TRUE(page(QStringLiteral("startat=60&sgenre=Rock")).isEmpty());
}

TEST_P(DirectoryPages, MaxbitrateKeepsBitratesUpToIt) {
    const QList<CutEntry> entries = page(QStringLiteral("&sgenre=Pop&maxbitrate=64&numresult=100"));
    EXPECT_GT(entries.size(), 0);
    for (const CutEntry& entry : entries) EXPECT_LE(entry.bitrate.toInt(), 64);
    EXPECT_EQ(entries.size(), countInCatalogue([](const auto& s) {
                  return s.genre == QLatin1String("Pop") && s.bitrate <= 64;
              }));
}

TEST_P(DirectoryPages, OrderbyBitratePutsTheHighestFirst) {
    const QList<CutEntry> entries =
        page(QStringLiteral("&sgenre=Metal&orderby=bitrate&numresult=100"));
    ASSERT_EQ(entries.size(), 60);
    for (qsizetype i = 1; i < entries.size(); ++i) {
        EXPECT_GE(entries[i - 1].bitrate.toInt(), entries[i].bitrate.toInt());
    }
    EXPECT_NE(ids(entries), ids(page(QStringLiteral("&sgenre=Metal&numresult=100"))));
}

TEST_P(DirectoryPages, SearchFindsNamePartsWhateverTheirCase) {
    // Two words of a name, sent as the program sends them: blanks as "+", nothing escaped.
    const QRegularExpression twoWords(QStringLiteral("^[A-Za-z]+ [A-Za-z]+"));
    QString words;
    for (const CatalogueStation& s : catalogue().stations()) {
        if (const auto match = twoWords.match(s.name); match.hasMatch()) {
            words = match.captured();
            break;
        }
    }
    ASSERT_FALSE(words.isEmpty());
    const QList<CutEntry> entries =
        page(QStringLiteral("numresult=100&s=") + words.toUpper().replace(u' ', u'+'));
    EXPECT_GT(entries.size(), 0);
    for (const CutEntry& entry : entries)
        EXPECT_TRUE(entry.name.contains(words, Qt::CaseInsensitive));
    EXPECT_EQ(entries.size(), countInCatalogue([&](const auto& s) {
                  return s.name.contains(words, Qt::CaseInsensitive);
              }));
}

TEST_P(DirectoryPages, AnUnknownGenreListsNothing) {
    EXPECT_TRUE(page(QStringLiteral("&sgenre=rock")).isEmpty());
    EXPECT_TRUE(page(QStringLiteral("&sgenre=Search")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Layouts, DirectoryPages,
                         ::testing::Values(PageLayout::Classic, PageLayout::Current),
                         [](const auto& info) {
                             return info.param == PageLayout::Classic ? "Classic" : "Current";
                         });
