// The choices the window's lists offer and its defaults: the same for every front end, so a
// harvest asked for on the command line is the harvest the window makes.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

namespace RunChoices {

// Minimum and maximum bitrates, kbit/s; the first, empty, entry is "no limit".
inline const QStringList kBitrates = {QString(), "24",  "32",  "48",  "56",  "64",
                                      "96",      "128", "160", "192", "256", "320"};
// The genres, "Search" last: the search text's own genre.
inline const QStringList kGenres = {"TopTen", "Alternative", "Classical", "Comedy", "Country",
                                    "Dance",  "Funk",        "Jazz",      "Metal",  "Mixed",
                                    "Pop",    "Rap",         "RnB",       "Rock",   "Talk",
                                    "Techno", "70s",         "80s",       "World",  "Search"};
inline const QString kSearchGenre = QStringLiteral("Search");
inline const QStringList kStationCounts = {"5",    "10",   "25",   "50",   "100",  "200",
                                           "300",  "400",  "500",  "750",  "1000", "1500",
                                           "2000", "2500", "3000", "4000", "5000"};
inline const QStringList kFormats = {"PLS file", "ASX file", "M3U file"};
inline const QStringList kStreams = {"MP3", "AAC", "<all>"};

// What a fresh window shows.
inline constexpr int kDefaultMinBitrateIndex = 6;  // "96"
inline constexpr int kDefaultNameLimit = 40;
inline constexpr bool kDefaultFastScan = true;
inline const QString kDefaultTemplate = QStringLiteral("%STATION%_%BITRATE%");
inline QString defaultDownloadPath() {
    return QStringLiteral("%TEMP%") + QDir::separator() + QStringLiteral(".1");
}

}  // namespace RunChoices
