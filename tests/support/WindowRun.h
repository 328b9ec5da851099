// Runs of the real main window against the local directory: options set through its controls,
// Run clicked with a simulated mouse click, and the playlist files a run must leave worked out
// from the directory's catalogue without the program's help.
#pragma once

#include "DirectoryFixture.h"
#include "frmMain.h"

#include <QComboBox>
#include <QMap>
#include <QPushButton>
#include <QTest>

// The download folder of a run, two levels into the test's temporary folder: a file that climbs
// out of its genre folder still lands where the test looks. A run makes the download folder
// and the genre folder in it, one level each, so the tests make "deep" first.
inline const QString kFolder = QStringLiteral("deep/er");

// Failures show texts as texts, and the cases of a table by name (a test file's "using ::PrintTo"
// lets its own cases find this).
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
template <typename Case>
requires requires(const Case& c) {
    std::string(c.name);
}
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

// Names the instances of a parameterised test after their cases.
inline constexpr auto ByName = [](const auto& info) { return std::string(info.param.name); };

inline void Click(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}
// Selects the entry with this text; fails the test when the list has no such entry.
void Select(QComboBox* list, const QString& text);

// The options of a run that saves playlists; by default two pages of 25 Rock stations.
struct RunChoice {
    QString genre = QStringLiteral("Rock");
    QString stations = QStringLiteral("50");  // CmbNumber
    bool fast = false;                        // chk100: pages of 100 rather than 25
    QString stream = QStringLiteral("<all>"), minBitrate, format = QStringLiteral("PLS file");
    QString nameTemplate = QStringLiteral("%STATION%_%BITRATE%"), limitText = QStringLiteral("40");
    bool current = false;  // chkNew: the current page layout
};
// The run that radiosift_run_child makes and the tests kill or close in the middle: all 200
// Rock stations of a larger directory in two pages of 100.
inline const RunChoice kLongRun{.stations = "200", .fast = true, .nameTemplate = "%RN%"};
// Sets every option of choice through the window's controls, txtDL typed as folder.
void Choose(frmMain& window, const RunChoice& choice, const QString& folder);

// The stations a run saves, in page order: those asked for that pass the stream and minimum
// bitrate filters.
QList<CatalogueStation> SavedStations(const Catalogue& catalogue, const RunChoice& choice);
// Where the station's file goes, relative to the test's folder ("deep/er/Rock/A_128.pls").
QString ExpectedPath(const CatalogueStation& station, const RunChoice& choice);
// The bytes of a file in this format ("PLS file", ...) for a station with this title and stream
// address: for a PLS file the playlist text itself. ASX and M3U files come from the program's
// writers, whose bytes their own test pins: what a run must get right is which title and which
// address go into which file.
QByteArray PlaylistFileBytes(const QString& format, const QString& title, const QString& address,
                             const QString& text);
// The bytes of a station's file, the same whatever line ends the directory serves its playlist
// with.
QByteArray ExpectedFileBytes(const Catalogue& catalogue, const CatalogueStation& station,
                             const RunChoice& choice);
// Every file the run must leave, by ExpectedPath. Where two stations share a file name, the
// later one's file is the one that stays.
QMap<QString, QByteArray> ExpectedFiles(const Catalogue& catalogue, const RunChoice& choice);
// Fails the test unless actual holds exactly the files of expected, byte for byte.
void ExpectSameFiles(const QMap<QString, QByteArray>& actual,
                     const QMap<QString, QByteArray>& expected);
void WriteFile(const QString& path, const QByteArray& bytes);

// A fresh main window that downloads into the test's folder.
class WindowTest : public DirectoryFixture {
protected:
    void SetUp() override;
    // The queries (the text after "?") of the requests for this page the directory got, in order.
    QStringList pageQueries(const QString& page = QStringLiteral("/directory/index.phtml?"));
    // Clicks Run, which returns when the run is over (it runs inside the click handler), and
    // checks it ended with this text on the bar and in txtProg, the bar full, Run offered again.
    void run(const QString& ending = QStringLiteral("Done"));
    // Chooses, with kFolder as the download folder, and runs to "Done".
    void harvest(const RunChoice& choice);

    frmMain window;
};
