// The record a run keeps in each genre folder it wrote into: which files it wrote there, for
// which station, and what their bytes were. A later run prunes by it, and by nothing else.
#pragma once

#include "WrittenFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class FolderHandle;

// The record's name in the genre folder. Hidden, so that players and media servers that read
// the folder pass it over.
inline const QString kFolderRecordName = QStringLiteral(".radiosift-record.json");

// The record's bytes: a JSON object naming itself ("record": "radiosift genre folder",
// "version": 1) with the entries, in order, under "files", each with "file", "station",
// "address" and "sha256".
QByteArray FolderRecordBytes(const QList<RecordEntry>& entries);

// The entries of a record's bytes; none when they are not such a record (another program's
// file, a damaged one, a version this program does not know), or when any entry is unsound: a
// file name that is empty, absolute, leads up a level or into a hidden file or folder, or holds
// a control character, or a hash that is not 64 hex digits.
std::optional<QList<RecordEntry>> ReadFolderRecordBytes(const QByteArray& bytes);

// A genre folder's record as the run found it.
struct FolderRecord {
    enum class State { Missing, Read, Unusable };
    State state = State::Missing;  // Unusable: a file is there that is no sound record
    QList<RecordEntry> entries;    // when Read
};

// Reads the record of the folder. Missing also when what stands there is no regular file, cannot
// be read or is larger than any run writes.
FolderRecord ReadFolderRecord(const FolderHandle& folder);
