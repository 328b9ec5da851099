// The stations of the local directory that only its JSON searches list: one for each kind of
// record that real directory data holds and that a harvest must handle (names in other scripts,
// emoji, very long names, leading dots, invisible characters, one name for several streams,
// addresses with unusual characters, session tokens, playlists as addresses, unknown bitrates,
// tags that contain a genre's word without being it, and the genres' synonyms).
#pragma once

#include "CatalogueStation.h"

#include <QList>

// The stations, with ids from firstId on. Each lists its tags; its genre is left empty.
QList<CatalogueStation> realCaseStations(int firstId);
