// Whole runs of the real main window that save playlists: the options of a run set through the
// window's controls, the files such a run must leave behind worked out from the local
// directory's catalogue, and the files actually found on disk.
#pragma once

#include "Catalogue.h"
#include "Misbehaviour.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <cctype>
#include <string>

class frmMain;

// Names the tests of a table after each case's label: letters and digits kept, the rest "_".
struct CaseName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        std::string name;
        for (const char* c = info.param.label; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    }
};

// The options of a run that saves one page of one genre: "Fast Scan" stays checked, so a
// station count up to 100 asks for a single page of that many stations.
struct RunChoice {
    QString genre = QStringLiteral("Rock");
    int stations = 25;                         // CmbNumber
    QString stream = QStringLiteral("<all>");  // cmbStream
    int minBitrate = 0;                        // cmbMinBit; 0 is its empty entry
    QString format = QStringLiteral("PLS file");
    QString nameTemplate = QStringLiteral("%STATION%_%BITRATE%");
    QString nameLimitText = QStringLiteral("40");  // typed into txtPlsSize
    int nameLimit = 40;                            // the number the window reads from it
};

// Sets every option of choice through the window's controls, with txtDL set to downloadPath.
void ChooseOptions(frmMain& window, const RunChoice& choice, const QString& downloadPath);

// The stations of the run's one page that pass the stream and minimum-bitrate filters, in
// page order.
QList<CatalogueStation> SavedStations(const Catalogue& catalogue, const RunChoice& choice);

// The file name a station is saved under (no folder).
QString ExpectedFileName(const CatalogueStation& station, const RunChoice& choice);

// The bytes of a station's file when the directory sends its playlist with these line ends.
QByteArray ExpectedFileBytes(const Catalogue& catalogue, const CatalogueStation& station,
                             const RunChoice& choice, LineEnds ends = LineEnds::Lf);

// Every file the run must leave, by path relative to the download folder ("Rock/Name_128.pls").
// Where two stations share a file name, the later one's file is the one that stays.
QMap<QString, QByteArray> ExpectedFiles(const Catalogue& catalogue, const RunChoice& choice,
                                        LineEnds ends = LineEnds::Lf);

// Every file below root, hidden ones included, by path relative to root.
QMap<QString, QByteArray> FilesUnder(const QString& root);

// Fails the test unless actual holds exactly the files of expected, byte for byte.
void ExpectSameFiles(const QMap<QString, QByteArray>& actual,
                     const QMap<QString, QByteArray>& expected);

// Writes bytes to path, replacing what was there.
void WriteFile(const QString& path, const QByteArray& bytes);
