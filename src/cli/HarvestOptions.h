// HarvestOptions: the command line of radiosift-harvest, read into the choices of one harvest.
// Every window option has a long option with the window's default; a wrong option or value is
// refused with one line that names it and says what it accepts.
#pragma once

#include "DirectoryHosts.h"
#include "GenrePlaylist.h"

#include <QString>
#include <QStringList>
#include <variant>

struct HarvestOptions {
    QStringList genres;  // the window's genres, spelled as it lists them; "Search" never
    QStringList tags;    // the live directory's tags, each a genre whose folder is the tag
    bool allGenres = false;
    QString search;      // a search's text; its genre "Search" comes after the others
    QString count;       // stations per genre, one of the window's counts
    bool fast = true;    // pages of 100 ("Fast Scan"), else of 25
    QString minBitrate;  // as the window lists it; empty: no minimum
    QString maxBitrate;  // empty: no maximum
    QString stream;      // "MP3", "AAC" or "<all>"
    bool orderByBitrate = false;
    QString format;        // "PLS file", "ASX file" or "M3U file"
    QString nameTemplate;  // the file-name template
    QString maxLength;     // longest station name in a file name
    QString output;        // the download path, macros and all
    DirectoryHosts::Directory directory = DirectoryHosts::Directory::RadioBrowser;
    QString server;         // the directory's address; empty: the environment's or the default
    QStringList countries;  // ISO 3166-1 alpha-2, upper case
    QStringList languages;
    QList<GenrePlaylistFormat> genrePlaylists;  // written beside each genre folder
    bool prune = false;  // after a run that ended "Done", remove what earlier runs left
    bool listGenres = false;
    bool quiet = false;  // no progress line and no plain summary
    bool json = false;   // the summary as one JSON object on standard output
    bool help = false;
    bool version = false;
};

struct UsageError {
    QString message;  // one line, without the program's name
};

// Reads the arguments after the program's name. The directory defaults to the one the
// environment chooses, as in the window.
std::variant<HarvestOptions, UsageError> ReadHarvestOptions(const QStringList& arguments);

// The text --help prints, ending in a line end.
QString HarvestHelpText();
