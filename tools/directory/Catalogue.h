// Catalogue: the local directory's stations, generated from a seed so that every run (and
// every test) sees the same directory.
#pragma once

#include "CatalogueStation.h"
#include "DirectoryQuery.h"
#include "StationSearch.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

struct CatalogueOptions {
    int stationsPerGenre = 60;
    std::uint32_t seed = 1;
    // 1: the catalogue as generated. 2: the same catalogue a while later, as a refresh finds it:
    // by a station's place n in its genre (from 0), stations with n % 10 == 1 have left the
    // directory, those with n % 10 == 4 renamed themselves (" Next" added, same id and
    // stationuuid, same stream) and those with n % 10 == 6 failed their last check.
    int revision = 1;
};

class Catalogue {
public:
    explicit Catalogue(CatalogueOptions options = {});

    // The genres the program offers, in its order ("TopTen" first, "World" last).
    static const QStringList& genres();

    const CatalogueOptions& options() const { return options_; }
    // Every station, genre after genre in the order of genres(); ids rise through the list.
    const QList<CatalogueStation>& stations() const { return stations_; }
    // nullptr for an unknown id.
    const CatalogueStation* station(int id) const;

    // Every station the query selects, in listing order, before startat and numresult are
    // applied. Default order: most listeners first, then lower id. orderby=bitrate: highest
    // bitrate first, ties in the default order. sgenre keeps one genre (exact match), s keeps
    // names that contain the text (case-blind), maxbitrate keeps bitrates up to it. A query
    // with neither sgenre nor s lists the whole catalogue.
    QList<CatalogueStation> matching(const DirectoryQuery& query) const;
    // The stations of one page: matching() from startAt, at most numResult of them.
    QList<CatalogueStation> page(const DirectoryQuery& query) const;

    // The stations that only the JSON searches list, after stations(): see realCaseStations().
    const QList<CatalogueStation>& liveOnlyStations() const { return liveOnly_; }

    // Every station a JSON search selects, in its order, before offset and limit are applied.
    // Stations that tie in the order keep their order in stations(), also when reversed, so
    // clickcount reversed lists as the pages do by default.
    QList<CatalogueStation> matching(const StationSearch& search) const;

    // The station's PLS playlist with LF line ends; empty for an unknown id.
    QString playlistText(int id) const;

private:
    CatalogueOptions options_;
    QList<CatalogueStation> stations_;
    QList<CatalogueStation> liveOnly_;
    QHash<int, qsizetype> indexById_;
};
