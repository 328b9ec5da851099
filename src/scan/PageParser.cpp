#include "PageParser.h"

// The parsers arrive with the station list; until then a page yields no stations.
void PageParser::ParseCurrentPage(int32_t maxStations) { (void)maxStations; }
void PageParser::ParseClassicPage(int32_t maxStations) { (void)maxStations; }
