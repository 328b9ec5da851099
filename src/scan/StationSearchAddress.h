// The address of one result page of the live community directory's station search.
#pragma once

#include "QueryAddress.h"

// base (such as "https://host") + "/json/stations/search?" with the page's offset and size,
// broken stations hidden, the genre as a tag ("TopTen": none; "Search": the search text as the
// name), the order (highest bitrate or most listened first), the bitrate bounds that are set
// and the stream type's codec. Values are percent-encoded.
QString BuildStationSearchAddress(const QString& base, const PageQuery& query);
