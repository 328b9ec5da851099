// Runs through the real window on pages and playlists whose text is awkward but not broken:
// names that are not UTF-8, station ids and bitrates that name other folders, playlists with
// CR LF line ends.
#include "DiskAndMemory.h"
#include "HardenedRun.h"
#include "Misbehaviour.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

class AwkwardText : public HardenedRun {};

TEST_F(AwkwardText, NamesThatAreNotUtf8ReachFileNamesAndTitlesAsWindows1252) {
    Misbehaviour latin1Names;
    latin1Names.invalidUtf8Names = true;  // every name ends in " \xE9t\xE9"
    server().setMisbehaviour(QStringLiteral("/directory/"), latin1Names);
    RunOptions run = options();
    run.format = QStringLiteral("M3U file");
    run.fileTemplate = QStringLiteral("%RN% %STATION%");

    runToTheEnd(run);

    EXPECT_EQ(filesOutsideTheGenreFolder(), QStringList());
    const QStringList files = FilesBelow(genreFolder());
    EXPECT_EQ(files.size(), 50);
    for (const QString& file : files) {
        EXPECT_TRUE(file.endsWith(QStringLiteral(" été.m3u"))) << file.toStdString();
        const QList<QByteArray> lines = FileBytes(genreFolder() + file).split('\n');
        ASSERT_GE(lines.size(), 2) << file.toStdString();
        EXPECT_TRUE(lines[1].endsWith(" \xE9t\xE9\r")) << lines[1].toStdString();
    }
}

TEST_F(AwkwardText, IdsAndBitratesThatNameOtherFoldersStayInTheGenreFolder) {
    Misbehaviour hostile;
    hostile.hostileRn = true;       // "../../ID"
    hostile.hostileBitrate = true;  // "128/../.."
    server().setMisbehaviour(QStringLiteral("/directory/"), hostile);
    RunOptions run = options();
    run.fileTemplate = QStringLiteral("%RN%_%BITRATE%");

    runToTheEnd(run);

    EXPECT_EQ(filesOutsideTheGenreFolder(), QStringList());
    // The playlist request still finds each station, so none is lost.
    EXPECT_EQ(FilesBelow(genreFolder()).size(), 50);
}

struct Format {
    const char* name;
    const char* extension;
    // Picks the stream address out of the file's lines (split at CR LF).
    QString (*address)(const QStringList& lines);
};

void PrintTo(const Format& format, std::ostream* out) { *out << format.name; }

QString M3uAddress(const QStringList& lines) { return lines.value(2); }

QString AsxAddress(const QStringList& lines) {
    static const QRegularExpression ref(QStringLiteral("^<ref href=\"(.*)\"/>$"));
    const QRegularExpressionMatch match = ref.match(lines.value(3));
    return match.hasMatch() ? match.captured(1) : QString();
}

class CrLfPlaylists : public HardenedRun, public ::testing::WithParamInterface<Format> {};

TEST_P(CrLfPlaylists, GiveEachFileOneOfTheStationsAddressesWithoutAStrayCarriageReturn) {
    Misbehaviour crlf;
    crlf.lineEnds = LineEnds::CrLf;
    server().setMisbehaviour(QStringLiteral("/sbin/"), crlf);
    RunOptions run = options();
    run.format = QString::fromLatin1(GetParam().name);

    runToTheEnd(run);

    EXPECT_EQ(filesOutsideTheGenreFolder(), QStringList());
    for (const CatalogueStation& station : bothRockPages()) {
        const QString file = QString::number(station.id) + QLatin1String(GetParam().extension);
        const QByteArray bytes = FileBytes(genreFolder() + file);
        ASSERT_FALSE(bytes.isEmpty()) << file.toStdString();
        EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n")) << file.toStdString();
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << file.toStdString();
        QStringList addresses;
        for (const StreamServer& streamServer : station.servers) addresses << streamServer.address;
        const QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
        EXPECT_TRUE(addresses.contains(GetParam().address(lines))) << file.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, CrLfPlaylists,
                         ::testing::Values(Format{"M3U file", ".m3u", M3uAddress},
                                           Format{"ASX file", ".asx", AsxAddress}),
                         [](const auto& info) {
                             return std::string(info.param.extension + 1);
                         });

}  // namespace
