// The directory's two hosts: compiled-in defaults, each overridable by an environment variable
// (RADIOSIFT_MAIN_HOST, RADIOSIFT_CLASSIC_HOST) holding "host" or "host:port".
#pragma once

#include <QString>

namespace DirectoryHosts {

// Host of the current page layout (/index.jsp?).
QString mainHost();
// Host of the classic page layout (/directory/index.phtml?) and of the playlists.
QString classicHost();

}  // namespace DirectoryHosts
