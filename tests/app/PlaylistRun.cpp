#include "PlaylistRun.h"

#include "MainWindowDriver.h"
#include "StationNameCleaner.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <iconv.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Replaces the text of a line edit the way a user would: select everything, then type.
void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Windows-1252 by the C library's own tables, one character at a time, "?" for what the code
// page lacks: worked out apart from the program's converter.
QByteArray Windows1252(const QString& text) {
    iconv_t cd = iconv_open("WINDOWS-1252", "UTF-32LE");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << "no Windows-1252 converter";
    QByteArray bytes;
    for (const char32_t code : text.toUcs4()) {
        char in[4];
        const std::uint32_t value = code;
        std::memcpy(in, &value, 4);  // the machine is little-endian, as UTF-32LE wants
        char out[8];
        char* inPos = in;
        char* outPos = out;
        size_t inLeft = sizeof in, outLeft = sizeof out;
        if (iconv(cd, &inPos, &inLeft, &outPos, &outLeft) == static_cast<size_t>(-1) ||
            outPos - out != 1) {
            bytes += '?';
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            bytes += out[0];
        }
    }
    iconv_close(cd);
    return bytes;
}

QString ExtensionOf(const QString& format) {
    if (format == QLatin1String("ASX file")) return QStringLiteral(".asx");
    if (format == QLatin1String("M3U file")) return QStringLiteral(".m3u");
    return QStringLiteral(".pls");
}

// The station's name as it goes into file names and playlist titles.
QString ShortName(const CatalogueStation& station, const RunChoice& choice) {
    QString name = station.name;
    CleanStationName(name);
    return name.left(choice.nameLimit);
}

// The stream server an ASX or M3U file points at: the first with room for more listeners,
// else the first.
QString PickedAddress(const CatalogueStation& station) {
    for (const StreamServer& server : station.servers) {
        if (server.hasRoom()) return server.address;
    }
    return station.servers.isEmpty() ? QString() : station.servers.first().address;
}

std::vector<std::string> Names(const QMap<QString, QByteArray>& files) {
    std::vector<std::string> names;
    for (const QString& name : files.keys()) names.push_back(name.toStdString());
    return names;
}

}  // namespace

void ChooseOptions(frmMain& window, const RunChoice& choice, const QString& downloadPath) {
    ASSERT_TRUE(window.chk100->isChecked()) << "Fast Scan is expected on";
    Type(window.txtDL, downloadPath);
    ASSERT_NO_FATAL_FAILURE(MainWindowDriver::Select(window.CmbGenre, choice.genre));
    ASSERT_NO_FATAL_FAILURE(
        MainWindowDriver::Select(window.CmbNumber, QString::number(choice.stations)));
    ASSERT_NO_FATAL_FAILURE(MainWindowDriver::Select(window.cmbStream, choice.stream));
    ASSERT_NO_FATAL_FAILURE(MainWindowDriver::Select(
        window.cmbMinBit, choice.minBitrate == 0 ? QString() : QString::number(choice.minBitrate)));
    ASSERT_NO_FATAL_FAILURE(MainWindowDriver::Select(window.cmbFormat, choice.format));
    Type(window.txtFormat, choice.nameTemplate);
    Type(window.txtPlsSize, choice.nameLimitText);
    ASSERT_EQ(window.txtDL->text(), downloadPath);
    ASSERT_EQ(window.txtFormat->text(), choice.nameTemplate);
    ASSERT_EQ(window.txtPlsSize->text(), choice.nameLimitText);
}

QList<CatalogueStation> SavedStations(const Catalogue& catalogue, const RunChoice& choice) {
    DirectoryQuery query;
    query.numResult = choice.stations;
    query.hasGenre = true;
    query.genre = choice.genre;
    QList<CatalogueStation> saved;
    for (const CatalogueStation& station : catalogue.page(query)) {
        if (choice.stream != QLatin1String("<all>") &&
            streamTypeName(station.type) != choice.stream)
            continue;
        if (station.bitrate < choice.minBitrate) continue;
        saved.append(station);
    }
    return saved;
}

QString ExpectedFileName(const CatalogueStation& station, const RunChoice& choice) {
    QString name = choice.nameTemplate;
    name.replace(QStringLiteral("%STATION%"), ShortName(station, choice));
    name.replace(QStringLiteral("%BITRATE%"), QString::number(station.bitrate));
    name.replace(QStringLiteral("%RN%"), QString::number(station.id));
    name.replace(QStringLiteral("%GENRE%"), station.genre);
    name.replace(QStringLiteral("%STREAM%"), streamTypeName(station.type));
    name.replace(QStringLiteral("%FORMAT%"), choice.format);
    return name + ExtensionOf(choice.format);
}

QByteArray ExpectedFileBytes(const Catalogue& catalogue, const CatalogueStation& station,
                             const RunChoice& choice, LineEnds ends) {
    const QString title = ShortName(station, choice);
    const QString address = PickedAddress(station);
    QString text;
    if (choice.format == QLatin1String("ASX file")) {
        text = QStringLiteral(
                   "<ASX VERSION=\"3.0\">\r\n<Title>%1</Title>\r\n<Entry>\r\n"
                   "<ref href=\"%2\"/>\r\n</Entry>\r\n</ASX>\r\n")
                   .arg(title, address);
    } else if (choice.format == QLatin1String("M3U file")) {
        text = QStringLiteral("#EXTM3U\r\n#EXTINF:-1,%1\r\n%2\r\n").arg(title, address);
    } else {
        text = catalogue.playlistText(station.id);
        if (ends == LineEnds::CrLf) text.replace(QStringLiteral("\n"), kCrLf);
    }
    return Windows1252(text + kCrLf);
}

QMap<QString, QByteArray> ExpectedFiles(const Catalogue& catalogue, const RunChoice& choice,
                                        LineEnds ends) {
    QMap<QString, QByteArray> files;
    if (choice.nameLimit < 0) return files;  // no name can be cut to a negative length
    for (const CatalogueStation& station : SavedStations(catalogue, choice)) {
        files.insert(choice.genre + QLatin1Char('/') + ExpectedFileName(station, choice),
                     ExpectedFileBytes(catalogue, station, choice, ends));
    }
    return files;
}

QMap<QString, QByteArray> FilesUnder(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files.insert(QDir(root).relativeFilePath(path),
                     file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
    }
    return files;
}

void ExpectSameFiles(const QMap<QString, QByteArray>& actual,
                     const QMap<QString, QByteArray>& expected) {
    EXPECT_EQ(Names(actual), Names(expected));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!actual.contains(it.key())) continue;
        EXPECT_EQ(actual.value(it.key()).toStdString(), it.value().toStdString())
            << "in " << it.key().toStdString();
    }
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}
