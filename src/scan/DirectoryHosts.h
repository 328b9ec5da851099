// Which directory the program asks, and where: the directory's two hosts are compiled-in
// defaults, each overridable by an environment variable (RADIOSIFT_MAIN_HOST,
// RADIOSIFT_CLASSIC_HOST) holding "host" or "host:port"; RADIOSIFT_DIRECTORY chooses between
// them and the live community directory, whose address RADIOSIFT_RADIO_BROWSER_URL may fix.
#pragma once

#include <QString>

namespace DirectoryHosts {

enum class Directory {
    Classic,       // the classic and current page layouts, on the two hosts below
    RadioBrowser,  // the live community directory's JSON answers
};

// RADIOSIFT_DIRECTORY: "classic" or "radio-browser". Unset (or empty): classic when
// RADIOSIFT_CLASSIC_HOST is set, else radio-browser. Any other value gives classic, and
// complaint (when given) receives a message for the user; otherwise it is left empty.
Directory chosenDirectory(QString* complaint = nullptr);

// The live directory's base address, such as "http://127.0.0.1:8080", without a trailing
// "/"; empty when RADIOSIFT_RADIO_BROWSER_URL is unset, and its servers are to be looked up.
QString radioBrowserUrl();

// Host of the current page layout (/index.jsp?).
QString mainHost();
// Host of the classic page layout (/directory/index.phtml?) and of the playlists.
QString classicHost();

}  // namespace DirectoryHosts
