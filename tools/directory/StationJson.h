// StationJson: the JSON of the directory's station search answers, one element at a time, so
// that a very long answer can be sent while it is made. Compact, UTF-8, written by Qt's JSON
// writer.
#pragma once

#include "CatalogueStation.h"
#include "Misbehaviour.h"

#include <QByteArray>
#include <QJsonObject>

// The station as the community directory lists it: changeuuid, stationuuid, name, url,
// url_resolved, homepage, favicon, tags (comma-separated) and countrycode as texts; bitrate,
// clickcount and votes as numbers; hls and lastcheckok as 0 or 1.
QJsonObject stationObject(const CatalogueStation& station);

// The element at 'position' (counted from 1 within the answer): the station's object, or what
// the misbehaviour's jsonFlaw makes of it when it damages that position.
QByteArray stationElement(const CatalogueStation& station, const Misbehaviour& misbehaviour,
                          int position);
