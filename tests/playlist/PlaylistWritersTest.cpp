// The playlist writers: the exact bytes of each format, and what happens to an earlier file.
#include "PlaylistWriters.h"

#include "FileSizeLimit.h"

#include "CaseLabel.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

using Writer = std::function<bool(const QString& path, const QString& text, const QString& title)>;

struct Case {
    const char* what;
    Writer write;
    const char* playlist;
    const char* title;  // UTF-8
    QByteArray bytes;
};
void PrintTo(const Case& c, std::ostream* os) {
    PrintCaseLabel(c.what, os);
}

const Writer asx = WriteAsxPlaylist;
const Writer m3u = WriteM3uPlaylist;
const Writer pls = [](const QString& path, const QString& text, const QString&) {
    return WriteTextFile(path, text);
};

const char* const twoEntries =
    "[playlist]\nnumberofentries=2\nFile1=http://a.test:8000/\nTitle1=(#1 - 99/100) A\n"
    "Length1=-1\nFile2=http://b.test:8000/\nTitle2=(#2 - 5/100) B\nLength2=-1\nVersion=2\n";
const char* const crlfEntry =
    "[playlist]\r\nnumberofentries=1\r\nFile1=http://c.test/\r\nTitle1=(#1 - 1/9) C\r\n"
    "Length1=-1\r\nVersion=2\r\n";

class WriterBytesTest : public ::testing::TestWithParam<Case> {};

TEST_P(WriterBytesTest, WritesExactlyTheseBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("station"));
    ASSERT_TRUE(GetParam().write(path, QString::fromUtf8(GetParam().playlist),
                                 QString::fromUtf8(GetParam().title)));
    EXPECT_EQ(Read(path), GetParam().bytes) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, WriterBytesTest,
    ::testing::Values(
        Case{"ASX, a Windows-1252 title, unescaped, with ? for what the code page lacks", asx,
             twoEntries, "Jazz & Blues <Caf\xC3\xA9> \xE2\x82\xAC \xE2\x98\x85 \xE6\x97\xA5",
             "<ASX VERSION=\"3.0\">\r\n<Title>Jazz & Blues <Caf\xE9> \x80 ? ?</Title>\r\n"
             "<Entry>\r\n<ref href=\"http://b.test:8000/\"/>\r\n</Entry>\r\n</ASX>\r\n\r\n"},
        Case{"ASX, no address", asx, "not a playlist", "T",
             "<ASX VERSION=\"3.0\">\r\n<Title>T</Title>\r\n<Entry>\r\n<ref href=\"\"/>\r\n"
             "</Entry>\r\n</ASX>\r\n\r\n"},
        Case{"M3U, CR LF playlist: no CR after the address", m3u, crlfEntry,
             "\xC3\x9C \xE2\x98\x85", "#EXTM3U\r\n#EXTINF:-1,\xDC ?\r\nhttp://c.test/\r\n\r\n"},
        Case{"M3U, no address", m3u, "", "", "#EXTM3U\r\n#EXTINF:-1,\r\n\r\n\r\n"},
        Case{"PLS as it came", pls, "[playlist]\nnumberofentries=0\n", "",
             "[playlist]\nnumberofentries=0\n\r\n"},
        Case{"PLS with CR LF and a character outside Windows-1252", pls,
             "[playlist]\r\nTitle1=\xC3\xA9\xE2\x98\x85\r\n", "",
             "[playlist]\r\nTitle1=\xE9?\r\n\r\n"}));

TEST(WriteTextFileTest, ReplacesAnEarlierFileInsteadOfAppending) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.pls"));
    ASSERT_TRUE(WriteTextFile(path, QStringLiteral("first, and longer")));
    ASSERT_TRUE(WriteTextFile(path, QStringLiteral("second")));
    EXPECT_EQ(Read(path), QByteArray("second\r\n"));
}

TEST(WriteTextFileTest, AFailedWriteKeepsTheEarlierFileAndLeavesNothingBesideIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.pls"));
    ASSERT_TRUE(WriteTextFile(path, QStringLiteral("earlier")));
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(WriteTextFile(path, QString(100000, QLatin1Char('x'))));
    }
    EXPECT_EQ(Read(path), QByteArray("earlier\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("a.pls")});
}

TEST(WriteTextFileTest, AReplacedFileKeepsItsPermissions) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.pls"));
    ASSERT_TRUE(WriteTextFile(path, QStringLiteral("earlier")));
    const auto kept = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, kept));
    ASSERT_TRUE(WriteTextFile(path, QStringLiteral("later")));
    const auto ownerGroupOther = QFileDevice::Permissions::fromInt(0x7077);  // not the "user" bits
    EXPECT_EQ(QFile::permissions(path) & ownerGroupOther, kept);
}

TEST(WriteTextFileTest, AWriteThroughALinkReplacesItsTargetAndKeepsTheLink) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target.pls"));
    const QString link = dir.filePath(QStringLiteral("link.pls"));
    ASSERT_TRUE(WriteTextFile(target, QStringLiteral("earlier")));
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(WriteTextFile(link, QStringLiteral("later")));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Read(target), QByteArray("later\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
}

}  // namespace
