#include "WindowRun.h"

#include "PlaylistText.h"
#include "ProgressBar.h"
#include "StationNameCleaner.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

// Replaces the text of a line edit the way a user would: select everything, then type.
void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    EXPECT_EQ(edit->text(), text);
}

// The station's name as it goes into file names and playlist titles.
QString ShortName(const CatalogueStation& station, const RunChoice& choice) {
    QString name = station.name;
    CleanStationName(name);
    return name.left(choice.limitText.toInt());
}

// The stream server an ASX or M3U file points at: the first with room for more listeners,
// else the first.
QString PickedAddress(const CatalogueStation& station) {
    for (const StreamServer& server : station.servers)
        if (server.hasRoom()) return server.address;
    return station.servers.isEmpty() ? QString() : station.servers.first().address;
}

}  // namespace

void Select(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    ASSERT_GE(index, 0) << "no entry " << text.toStdString();
    list->setCurrentIndex(index);
}

void Choose(frmMain& window, const RunChoice& choice, const QString& folder) {
    Type(window.txtDL, folder);
    Select(window.CmbGenre, choice.genre);
    Select(window.CmbNumber, choice.stations);
    Select(window.cmbStream, choice.stream);
    Select(window.cmbMinBit, choice.minBitrate);
    Select(window.cmbFormat, choice.format);
    Type(window.txtFormat, choice.nameTemplate);
    Type(window.txtPlsSize, choice.limitText);
    window.chk100->setChecked(choice.fast);
    window.chkNew->setChecked(choice.current);
}

QList<CatalogueStation> SavedStations(const Catalogue& catalogue, const RunChoice& choice) {
    const DirectoryQuery query{
        .numResult = choice.stations.toInt(), .hasGenre = true, .genre = choice.genre};
    QList<CatalogueStation> saved;
    for (const CatalogueStation& station : catalogue.page(query))
        if ((choice.stream == "<all>" || streamTypeName(station.type) == choice.stream) &&
            station.bitrate >= choice.minBitrate.toInt())
            saved.append(station);
    return saved;
}

QString ExpectedPath(const CatalogueStation& station, const RunChoice& choice) {
    QString name = choice.nameTemplate;
    const std::pair<const char*, QString> macros[] = {
        {"%STATION%", ShortName(station, choice)},  {"%BITRATE%", QString::number(station.bitrate)},
        {"%RN%", QString::number(station.id)},      {"%GENRE%", station.genre},
        {"%STREAM%", streamTypeName(station.type)}, {"%FORMAT%", choice.format}};
    for (const auto& [macro, value] : macros) name.replace(QLatin1String(macro), value);
    return kFolder + '/' + choice.genre + '/' + name + '.' + choice.format.left(3).toLower();
}

QByteArray PlaylistFileBytes(const QString& format, const QString& title, const QString& address,
                             const QString& text) {
    if (format == QLatin1String("ASX file")) return AsxFileBytes(address, title);
    if (format == QLatin1String("M3U file")) return M3uFileBytes(address, title);
    return (text + QStringLiteral("\r\n")).toUtf8();
}

QByteArray ExpectedFileBytes(const Catalogue& catalogue, const CatalogueStation& station,
                             const RunChoice& choice) {
    // A PLS is written with CR LF line ends whatever the directory sent. The catalogue's names
    // hold no invisible characters, so a title is the name with its blanks made single.
    QString text = catalogue.playlistText(station.id);
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return PlaylistFileBytes(choice.format, station.name.simplified(), PickedAddress(station),
                             text);
}

QMap<QString, QByteArray> ExpectedFiles(const Catalogue& catalogue, const RunChoice& choice) {
    QMap<QString, QByteArray> files;
    for (const CatalogueStation& station : SavedStations(catalogue, choice))
        files.insert(ExpectedPath(station, choice), ExpectedFileBytes(catalogue, station, choice));
    return files;
}

void ExpectSameFiles(const QMap<QString, QByteArray>& actual,
                     const QMap<QString, QByteArray>& expected) {
    EXPECT_EQ(QStringList(actual.keys()).join("\n").toStdString(),
              QStringList(expected.keys()).join("\n").toStdString());
    for (const auto& [path, bytes] : expected.asKeyValueRange())
        EXPECT_EQ(actual.value(path, bytes).toStdString(), bytes.toStdString())
            << path.toStdString();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void WindowTest::SetUp() {
    DirectoryFixture::SetUp();
    window.txtDL->setText(downloadDir());
}

QStringList WindowTest::pageQueries(const QString& page) {
    QStringList queries;
    for (const QString& target : server().requestLog())
        if (target.startsWith(page)) queries.append(target.mid(page.size()));
    return queries;
}

void WindowTest::run(const QString& ending) {
    Click(window.cmdRun);
    EXPECT_EQ(window.vp1->Text(), ending);
    EXPECT_EQ(window.txtProg->text(), ending);
    EXPECT_EQ(window.vp1->Value(), 100);
    EXPECT_EQ(window.cmdRun->text(), "&Run");
    EXPECT_FALSE(window.runInProgress());
}

void WindowTest::harvest(const RunChoice& choice) {
    ASSERT_TRUE(QDir(downloadDir()).mkpath(kFolder));
    ASSERT_NO_FATAL_FAILURE(Choose(window, choice, downloadDir() + kFolder));
    run();
}
