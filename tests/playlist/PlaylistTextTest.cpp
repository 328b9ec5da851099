// What a playlist holds: names, titles and file names without invisible characters, the one rule
// for stream addresses, and the exact bytes of each format; and the typed options a run refuses
// to start with.
#include "PlaylistText.h"
#include "RunInputs.h"
#include "ScopedEnv.h"
#include "StationFileName.h"
#include "StationNameCleaner.h"
#include "StreamAddress.h"

#include <gtest/gtest.h>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// What the file-name part and the title each keep (the fuzz replay checks that nothing invisible
// or forbidden is left).
TEST(StationNames, InvisibleCharactersGoAndTitlesKeepTheNameAsGiven) {
    // clang-format off
    const std::tuple<QString, const char*, const char*> cases[] = {  // name, file-name part, title
        {U("  Dance   Wave!  "), "  Dance   Wave  ", "Dance Wave!"},
        {U("w/ww.x"), "x", "w/ww.x"},
        {QChar(0xD83D) + U("x") + QChar(0xDE00), "x", "x"}};  // halves of characters
    // clang-format on
    for (const auto& [name, part, title] : cases) {
        QString cleaned = name;
        CleanStationName(cleaned);
        EXPECT_EQ(cleaned, U(part)) << part;
        EXPECT_EQ(StationTitle(name), U(title)) << title;
    }
}

TEST(StationFileName, OnePassWholeCharactersAndAVisibleNameThatFits) {
    const QString flag = U("Mix\U0001F1FA\U0001F1E6");  // a flag: two characters, four units
    // clang-format off
    const std::tuple<const char*, QString, const char*, QString> cases[] = {
        // template, station, format, file name ("" for none)
        {"%STATION%_%RN%", U("%RN%%GENRE%"), "PLS file", "%RN%%GENRE%_7.pls"},
        {"%station%_%FORMAT%.%RN%.%RN%", U("x"), "M3U file", "%station%_M3U file.7.7.m3u"},
        {"%STATION%", ShortenedStationName(flag, 4), "PLS file", "Mix.pls"},   // inside 🇺
        {"%STATION%", ShortenedStationName(flag, 5), "PLS file", "Mix.pls"},   // between 🇺 and 🇦
        {"%GENRE%/%STATION%", U(" . .x"), "ASX file", "Rock/x.asx"},
        {"%STATION%", QString(300, 'x'), "PLS file", QString(251, 'x') + ".pls"},
        {"%STATION%", QString(300, QChar(0xE9)), "ASX file", QString(125, QChar(0xE9)) + ".asx"},
        {"%GENRE%/%STATION%", QString(100, 'x') + QString(80, QChar(0x65E5)), "M3U file",
         "Rock/" + QString(100, 'x') + QString(50, QChar(0x65E5)) + ".m3u"},
        {"%STATION%", U("a\u0301").repeated(100), "PLS file", U("a\u0301").repeated(83) + ".pls"}};
    // clang-format on
    const StationEntry entry{.Genre = "Rock", .Bitrate = "128", .StreamType = "MP3", .Rn = "7"};
    for (const auto& [fileTemplate, station, format, fileName] : cases) {
        const QString made = StationFileName(fileTemplate, station, entry, format);
        EXPECT_EQ(made, fileName) << fileTemplate;
        EXPECT_LE(made.section('/', -1).toUtf8().size(), 255);
    }
}

TEST(StreamAddress, WebAddressesAsPlayersReadThemInTheirEncodedForm) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {  // address, encoded ("" for refused)
        {" HTTPS://S.test:8000/x\r", "https://s.test:8000/x"},
        {"http://\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84/\xD1\x91?a=\xC3\xA9",
         "http://xn--e1afmkfd.xn--p1ai/%D1%91?a=%C3%A9"},
        {"http://s.test/\x01\xC2\x85" "x", "http://s.test/%01%C2%85x"},
        {"http:///x", ""}, {"http://s[.test/", ""}};  // other schemes: the PLS test below
    // clang-format on
    for (const auto& [address, encoded] : cases)
        EXPECT_EQ(EncodedStreamAddress(U(address)), encoded) << address;
}

// A downloaded PLS keeps only its entries that lead to web streams, renumbered; lines that are
// no part of a PLS go too.
TEST(PlsFileBytes, OnlyWebEntriesRenumberedElseNothing) {
    const char* const mixed =
        "[playlist]|NumberOfEntries=6|File1=file:///home/u/.ssh/id_rsa|Title1=(#1 - 1/9) Key|"
        "Length1=-1|File2=javascript:alert(1)|Title2=J|File3=http://a.test/\xC3\xB6|"
        "Title3=(#3 - 2/9) ORF Hitradio \xC3\x96"
        "3\xE2\x80\xAE|Length3=-1|File4=smb://h/s|"
        "File5=/etc/passwd|Title6=Six|File6= https://b.test/ |Length06=-1|=file:///x|"
        "Comment=smb://h/s|Version=2|";
    const char* const none =
        "[playlist]|numberofentries=2|File1=file:///etc/passwd|"
        "Title1=x|File2=javascript:x|Version=2|";
    const std::pair<const char*, QByteArray> cases[] = {
        {mixed,
         "[playlist]\r\nNumberOfEntries=2\r\nFile1=http://a.test/%C3%B6\r\n"
         "Title1=(#3 - 2/9) ORF Hitradio \xC3\x96"
         "3\r\nLength1=-1\r\nTitle2=Six\r\n"
         "File2=https://b.test/\r\nLength2=-1\r\nVersion=2\r\n\r\n"},
        {none, ""}};
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(PlsFileBytes(U(text).replace('|', "\n")), bytes) << text;
}

TEST(PlaylistFileBytes, Utf8TextAndEncodedAddressesInEveryFormat) {
    const QString address = U("http://\xD1\x80\xD1\x84.test/\xE3\x83\xA9 \xF0\x9F\x8E\xB5");
    const QByteArray encoded = "http://xn--p1ai.test/%E3%83%A9%20%F0%9F%8E%B5";
    using Bytes = QByteArray (*)(const QString&, const QString&);
    // clang-format off
    const std::tuple<Bytes, const char*, QByteArray> cases[] = {
        {StreamPlsFileBytes, "\xD0\xA0\xD0\xB0\xD0\xB4\xD0\xB8\xD0\xBE \xD0\x9C\xD0\x98\xD0\xA0",
         "[playlist]\r\nnumberofentries=1\r\nFile1=" + encoded + "\r\nTitle1=\xD0\xA0\xD0\xB0"
         "\xD0\xB4\xD0\xB8\xD0\xBE \xD0\x9C\xD0\x98\xD0\xA0\r\nLength1=-1\r\nVersion=2\r\n"},
        {M3uFileBytes, "\xE3\x83\xA9\xE3\x82\xB8\xE3\x82\xAA\xE6\x97\xA5\xE6\x9C\xAC\r\nhttp://evil.test/",
         "#EXTM3U\r\n#EXTINF:-1,\xE3\x83\xA9\xE3\x82\xB8\xE3\x82\xAA\xE6\x97\xA5\xE6\x9C\xAC"
         "http://evil.test/\r\n" + encoded + "\r\n\r\n"},
        {AsxFileBytes, "\xF0\x9F\x8E\xB5 Jazz & <Blues> \xC3\xA9",
         "<ASX VERSION=\"3.0\">\r\n<Title>&#127925; Jazz &amp; &lt;Blues&gt; &#233;</Title>\r\n"
         "<Entry>\r\n<ref href=\"" + encoded + "\"/>\r\n</Entry>\r\n</ASX>\r\n\r\n"}};
    // clang-format on
    for (const auto& [bytes, title, expected] : cases) {
        EXPECT_EQ(bytes(address, U(title)), expected) << title;
        EXPECT_EQ(bytes(QStringLiteral("file:///etc/passwd"), U(title)), QByteArray()) << title;
    }
}

// The first unusable input, in the window's order, is named with what it needs; a macro stands
// for its value (a relative TEMP makes a relative path), one in small letters for itself.
TEST(RunInputs, TheFirstUnusableInputIsNamedWithWhatItNeeds) {
    const ScopedEnv temp("TEMP", "relative");
    using F = RunInputField;
    // clang-format off
    const std::tuple<const char*, const char*, const char*, F, const char*> cases[] = {
        {"/r", "%STATION%_%BITRATE%", "40", F::None, ""},
        {"/r", "%GENRE%/.x/%RN%", " 007 ", F::None, ""},
        {" ", "", "0", F::DownloadPath, "Download Path is empty: it needs a full folder path, or a macro such as %TEMP%."},
        {"Radio", "", "", F::DownloadPath, "Download Path \"Radio\" is a relative path: it needs a full folder path, or a macro such as %TEMP%."},
        {"%temp%/.1", "x", "40", F::DownloadPath, "Download Path \"%temp%/.1\" is a relative path: %temp% is not a macro (macros are spelled in capitals, as %TEMP%). It needs a full folder path."},
        {"%TEMP%/.1", "x", "40", F::DownloadPath, "Download Path \"%TEMP%/.1\" comes to \"relative/.1\", a relative path: it needs a full folder path."},
        {"/r", "..", "0", F::FileName, "File Name \"..\" gives no file name: it needs one that is not empty, \".\" or \"..\", such as %STATION%_%BITRATE%."},
        {"/r", "a/", "40", F::FileName, nullptr},
        {"/r", "../%RN%", "40", F::FileName, "File Name \"../%RN%\" leads out of the genre folder: it needs a name that stays inside it."},
        {"/r", "x", "-5", F::MaxLength, "Max length \"-5\" is not a whole number of 1 or more: it needs one, such as 40."},
        {"/r", "x", "2.5", F::MaxLength, nullptr}};
    // clang-format on
    for (const auto& [path, fileTemplate, length, field, message] : cases) {
        const RunInputProblem problem = CheckRunInputs(path, fileTemplate, length);
        EXPECT_EQ(problem.field, field) << path << " | " << fileTemplate << " | " << length;
        if (message) {
            EXPECT_EQ(problem.message, message);
        }
        EXPECT_EQ(problem.message.isEmpty(), field == F::None);
    }
}

}  // namespace
