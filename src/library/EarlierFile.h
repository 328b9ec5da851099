// What a run that ended does with a file that an earlier run recorded in a genre folder.
#pragma once

#include "WrittenFile.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <optional>

enum class EarlierFile {
    WrittenAgain,  // this run wrote the name again: the file is this run's now
    Gone,          // nothing is there any more (or nothing the program would have written)
    Changed,       // its bytes are not those recorded: someone edited it, and it is theirs now
    Renamed,       // its station was written in this run under another name: remove it
    Listed,        // the genre's listing was not read whole: its station may still be listed
    Left,          // its station left the directory, broke or no longer passes the filters:
                   // remove it
};

// What this run wrote into the genre folder, and the files it kept for stations listed again.
struct RunFiles {
    QSet<QString> names;
    QSet<QString> stationIds;  // ids that are not empty
};

// Judges the earlier run's entry by what this run wrote there, whether this run read the genre's
// listing whole, and the file's bytes now (none when it is missing or no regular file). Only
// Renamed and Left files may be removed.
EarlierFile JudgeEarlierFile(const RecordEntry& earlier, const RunFiles& written, bool listingWhole,
                             const std::optional<QByteArray>& bytesNow);
