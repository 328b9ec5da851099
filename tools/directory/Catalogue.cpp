#include "Catalogue.h"

#include "RealCases.h"

#include <QSet>
#include <QUrl>
#include <QUuid>
#include <algorithm>
#include <array>
#include <random>

namespace {

// A small deterministic generator: std::mt19937 gives the same sequence everywhere, and the
// reduction to a range is our own (the standard distributions differ between libraries).
class Dice {
public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename List>
    const auto& pick(const List& list) {
        return list[below(static_cast<int>(std::size(list)))];
    }

private:
    std::mt19937 engine_;
};

const std::array kAdjectives{"Nova",     "Blue",   "Golden",   "Electric", "Midnight", "Urban",
                             "Coastal",  "Velvet", "Solar",    "Crystal",  "Wild",     "Deep",
                             "Northern", "Silver", "Retro",    "Prime",    "Pure",     "Smooth",
                             "Lunar",    "Neon",   "Atlantic", "Highland", "Sunset",   "Echo",
                             "Cosmic",   "Rebel",  "Static",   "Harbour",  "Amber",    "Frost"};
const std::array kNouns{"Wave",  "Beat",    "Sound",  "Pulse", "Signal", "Vibe",   "Lounge",
                        "Radio", "Channel", "Stream", "Zone",  "Spin",   "Hits",   "Air",
                        "Line",  "Room",    "Garden", "Tide",  "Groove", "Express"};
const std::array kCities{"Berlin",  "Köln",   "Zürich",   "Montréal", "Lyon",      "Austin",
                         "Oslo",    "Dublin", "Lisboa",   "Kraków",   "São Paulo", "Detroit",
                         "Bristol", "Malmö",  "Göteborg", "Nantes"};
const std::array kTaglines{"24/7 Non-Stop", "The Best Mix", "All Hits", "Commercial Free",
                           "Live & Loud",   "Your Music",   "No Talk",  "Only the Best",
                           "Since 1999",    "Deep Cuts",    "Nonstop",  "Always On"};
const std::array kCyrillic{"Радио Волна", "Ретро Эфир", "Музыка Ночи", "Новая Волна"};
const std::array kArtists{"The Velvet Foxes",  "Mara Lind",      "Kobalt Sound System",
                          "Los Hermanos Ríos", "Ensemble Nord",  "The Paper Kites Club",
                          "Jules & the Moths", "Señora Luna",    "Grey Harbour",
                          "Zoë Marchetti",     "Static Orchard", "Die Wölfe",
                          "Orkestr Vostok",    "Hollow Pines",   "Ada Quist"};
const std::array kSongs{"Night Drive",      "Paper Moon Café",
                        "Blue Hour",        "Letters from Home",
                        "Static Hearts",    "Mädchen am Fluss",
                        "Run to the Water", "Ночной город",
                        "Slow Train",       "Élan",
                        "Glass Houses",     "Winter Lights",
                        "Over the Bridge",  "Fever Dream",
                        "Somewhere Else"};
const std::array kBitrates{24, 32, 48, 56, 64, 96, 128, 160, 192, 256, 320};
const std::array kBitrateWeights{1, 3, 2, 2, 5, 4, 12, 2, 4, 3, 3};
const std::array kMaxListeners{32, 50, 64, 100, 128, 200, 250, 500, 1000};

QString genreWord(const QString& genre) {
    if (genre == QLatin1String("TopTen")) return QStringLiteral("Top 40");
    if (genre == QLatin1String("RnB")) return QStringLiteral("R&B");
    if (genre == QLatin1String("Mixed")) return QStringLiteral("Variety");
    return genre;
}

QString makeName(Dice& dice, const QString& genre) {
    const QString adj = QString::fromUtf8(dice.pick(kAdjectives));
    const QString noun = QString::fromUtf8(dice.pick(kNouns));
    const QString city = QString::fromUtf8(dice.pick(kCities));
    const QString tag = QString::fromUtf8(dice.pick(kTaglines));
    const QString g = genreWord(genre);
    // Plain names are the most common; the rest carry characters that a file name cannot
    // hold or that a code page lacks.
    switch (dice.below(20)) {
        case 0:
            return QStringLiteral("www.%1%2.com - %3").arg(adj.toLower(), noun.toLower(), g);
        case 1:
            return QStringLiteral("%1/%2 %3!").arg(g, adj, noun);
        case 2:
            return QStringLiteral("\"%1\" %2 %3").arg(adj, g, noun);
        case 3:
            return QStringLiteral("%1 %2 <%3> | %4").arg(adj, noun, g, city);
        case 4:
            return QStringLiteral("*%1* %2 ~ %3").arg(adj, g, tag);
        case 5:
            return QStringLiteral("%1 %2: %3?").arg(adj, noun, tag);
        case 6:
            return QStringLiteral("@%1%2 \\ %3").arg(adj, noun, city);
        case 7:
            return QStringLiteral("%1 %2 (%3)").arg(noun, g, city);
        case 8:
            return QStringLiteral("Café %1 %2").arg(adj, noun);
        case 9:
            return QStringLiteral("Grüne %1 %2").arg(noun, g);
        case 10:
            return QStringLiteral("%1 %2").arg(QString::fromUtf8(dice.pick(kCyrillic)), g);
        case 11:
            return QStringLiteral("%1 %2 ★ %3").arg(adj, noun, g);
        case 12:
            return QStringLiteral("%1 %2 FM").arg(noun, g);
        case 13:
            return QStringLiteral("%1 %2 %3").arg(adj, g, noun);
        case 14:
            return QStringLiteral("%1 %2 - %3").arg(adj, noun, city);
        default:
            return QStringLiteral("%1 %2").arg(adj, noun);
    }
}

// Two names with the same key could end up as the same file name once the program has
// cleaned them, so every name gets a key of its own: letters and digits of the first code
// page only, lower case, with "www." left out.
QString nameKey(const QString& name) {
    QString key;
    const QString lower = name.toLower().remove(QStringLiteral("www."));
    for (const QChar c : lower) {
        if (c.unicode() < 0x100 && c.isLetterOrNumber()) key.append(c);
    }
    return key;
}

QString slugOf(const QString& name, int id) {
    QString slug;
    const QString lower = name.toLower().remove(QStringLiteral("www."));
    for (const QChar c : lower) {
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')) slug.append(c);
        if (slug.size() == 24) break;
    }
    return slug.isEmpty() ? QStringLiteral("station%1").arg(id) : slug;
}

int pickBitrate(Dice& dice) {
    int total = 0;
    for (const int w : kBitrateWeights) total += w;
    int roll = dice.below(total);
    for (std::size_t i = 0; i < kBitrates.size(); ++i) {
        if (roll < kBitrateWeights[i]) return kBitrates[i];
        roll -= kBitrateWeights[i];
    }
    return 128;
}

StreamType pickType(Dice& dice) {
    const int roll = dice.below(10);
    return roll < 7 ? StreamType::Mp3 : roll < 9 ? StreamType::Aac : StreamType::Ogg;
}

QList<StreamServer> makeServers(Dice& dice, const QString& slug) {
    QList<StreamServer> servers;
    const int count = 1 + dice.below(4);
    for (int k = 1; k <= count; ++k) {
        StreamServer server;
        server.address =
            QStringLiteral("http://s%1.%2.example:%3/stream").arg(k).arg(slug).arg(8000 + k);
        server.maxListeners = dice.pick(kMaxListeners);
        if (dice.chance(45)) {
            // Full: the reader needs listeners x 1.1 >= maximum to pass a server over.
            server.listeners = server.maxListeners - dice.below(server.maxListeners / 12 + 1);
        } else {
            server.listeners = dice.below(server.maxListeners * 8 / 10);
        }
        servers.append(server);
    }
    return servers;
}

const std::array kCountryCodes{"DE", "US", "FR", "GB", "NO", "BR", "PL", "SE", "CA", "CH", "AT"};
// The languages of each country above, as the directory spells a station's "language".
const std::array kLanguages{
    "german",     "english", "french",  "english",        "norwegian,english",
    "portuguese", "polish",  "swedish", "english,french", "german,french,italian",
    "german"};

QString uuidOf(const char* what, int id) {
    static const QUuid space(QStringLiteral("6f1c2a9e-3b8d-4e57-9a1f-0c2d4e6b8a13"));
    return QUuid::createUuidV5(space, QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(id))
        .toString(QUuid::WithoutBraces);
}

// Fills in what the JSON answers list, for the station at place n of its genre; 'before' is
// the station at place n - 1 (nullptr for the first).
void addListing(CatalogueStation& station, int n, const CatalogueStation* before) {
    station.uuid = uuidOf("station", station.id);
    station.changeUuid = uuidOf("change", station.id);
    if (n % 25 == 9) {
        station.codec = QStringLiteral("FLAC");
    } else if (station.type == StreamType::Aac) {
        station.codec = n % 2 ? QStringLiteral("AAC+") : QStringLiteral("AAC");
    } else {
        station.codec = streamTypeName(station.type);
    }
    QString stream = station.servers.value(0).address;
    const QString host = QUrl(station.homepage).host();
    if (n % 20 == 11) {
        stream = QStringLiteral("rtsp://%1/live").arg(host);
    } else if (n % 20 == 13) {
        stream = QStringLiteral("mms://%1/live").arg(host);
    } else if (n % 9 == 4) {
        stream.replace(QStringLiteral("http://"), QStringLiteral("https://"));
    }
    if (before && n % 15 == 5) {
        station.url = before->url;
        station.urlResolved = before->urlResolved;
    } else if (n % 8 == 3) {
        station.url = stream;
    } else {
        station.url = station.homepage + QStringLiteral("listen.pls");
        station.urlResolved = stream;
    }
    if (n % 6 != 2) station.favicon = station.homepage + QStringLiteral("favicon.ico");
    // Logos as some stations give them: inline, and with characters an address must escape.
    if (n % 30 == 20) station.favicon = QStringLiteral("data:image/png;base64,iVBORw0KGgo=");
    if (n % 30 == 26) station.favicon = station.homepage + QStringLiteral("logo \"große\".png");
    station.tags = station.genre.toLower();
    const QString otherName = genreWord(station.genre).toLower();
    if (otherName != station.tags) station.tags += u',' + otherName;
    const auto country = static_cast<std::size_t>(station.id) % kCountryCodes.size();
    station.countryCode = QString::fromLatin1(kCountryCodes[country]);
    station.languages = QString::fromLatin1(kLanguages[country]);
    station.lastCheckOk = n % 10 != 7;
    station.hls = n % 12 == 6;
    station.votes = station.id * 37 % 1000;
}

// The second revision's name of a station that renamed itself: a key of its own, as every name
// has.
QString laterName(const QString& name, QSet<QString>& keys) {
    QString later = name + QStringLiteral(" Next");
    while (keys.contains(nameKey(later))) later += QStringLiteral(" Next");
    keys.insert(nameKey(later));
    return later;
}

bool defaultOrder(const CatalogueStation& a, const CatalogueStation& b) {
    const int la = a.listeners(), lb = b.listeners();
    return la != lb ? la > lb : a.id < b.id;
}

}  // namespace

QString streamTypeName(StreamType type) {
    switch (type) {
        case StreamType::Aac:
            return QStringLiteral("AAC");
        case StreamType::Ogg:
            return QStringLiteral("OGG");
        case StreamType::Mp3:
            break;
    }
    return QStringLiteral("MP3");
}

QString streamTypeLabel(StreamType type) {
    return type == StreamType::Aac ? QStringLiteral("AAC+") : streamTypeName(type);
}

int CatalogueStation::listeners() const {
    int sum = 0;
    for (const StreamServer& server : servers) sum += server.listeners;
    return sum;
}

const QStringList& Catalogue::genres() {
    static const QStringList list{
        QStringLiteral("TopTen"), QStringLiteral("Alternative"), QStringLiteral("Classical"),
        QStringLiteral("Comedy"), QStringLiteral("Country"),     QStringLiteral("Dance"),
        QStringLiteral("Funk"),   QStringLiteral("Jazz"),        QStringLiteral("Metal"),
        QStringLiteral("Mixed"),  QStringLiteral("Pop"),         QStringLiteral("Rap"),
        QStringLiteral("RnB"),    QStringLiteral("Rock"),        QStringLiteral("Talk"),
        QStringLiteral("Techno"), QStringLiteral("70s"),         QStringLiteral("80s"),
        QStringLiteral("World")};
    return list;
}

Catalogue::Catalogue(CatalogueOptions options) : options_(options) {
    Dice dice(options.seed);
    QSet<QString> keys;
    int id = 1000 + dice.below(9000);
    const int perGenre = qMax(0, options.stationsPerGenre);
    stations_.reserve(perGenre * genres().size());
    CatalogueStation before;  // the one at place n - 1, as the first revision has it
    QList<qsizetype> renamed;
    for (const QString& genre : genres()) {
        for (int n = 0; n < perGenre; ++n) {
            CatalogueStation station;
            station.id = id;
            id += 1 + dice.below(40);
            station.genre = genre;
            for (int attempt = 0;; ++attempt) {
                QString name = makeName(dice, genre);
                if (attempt >= 20) name += QStringLiteral(" %1").arg(station.id);
                if (name.size() <= 40 && !keys.contains(nameKey(name))) {
                    station.name = name;
                    break;
                }
            }
            keys.insert(nameKey(station.name));
            station.bitrate = pickBitrate(dice);
            station.type = pickType(dice);
            if (dice.chance(80)) {
                station.nowPlaying = QStringLiteral("%1 - %2").arg(
                    QString::fromUtf8(dice.pick(kArtists)), QString::fromUtf8(dice.pick(kSongs)));
            }
            const QString slug = slugOf(station.name, station.id);
            station.homepage = QStringLiteral("http://www.%1.example/").arg(slug);
            station.servers = makeServers(dice, slug);
            addListing(station, n, n > 0 ? &before : nullptr);
            before = station;
            // The second revision changes stations only once the generator is past them, so
            // that every other station stays as it was.
            if (options.revision >= 2 && n % 10 == 1) continue;
            if (options.revision >= 2 && n % 10 == 4) renamed.append(stations_.size());
            if (options.revision >= 2 && n % 10 == 6) station.lastCheckOk = false;
            indexById_.insert(station.id, stations_.size());
            stations_.append(station);
        }
    }
    for (const qsizetype index : renamed)
        stations_[index].name = laterName(stations_[index].name, keys);
    if (perGenre > 0) liveOnly_ = realCaseStations(id);
}

const CatalogueStation* Catalogue::station(int id) const {
    const auto it = indexById_.constFind(id);
    return it == indexById_.constEnd() ? nullptr : &stations_[*it];
}

QList<CatalogueStation> Catalogue::matching(const DirectoryQuery& query) const {
    QList<CatalogueStation> result;
    for (const CatalogueStation& station : stations_) {
        if (query.hasGenre && station.genre != query.genre) continue;
        if (query.hasSearch && !station.name.contains(query.search, Qt::CaseInsensitive)) continue;
        if (query.maxBitrate > 0 && station.bitrate > query.maxBitrate) continue;
        result.append(station);
    }
    std::stable_sort(result.begin(), result.end(), defaultOrder);
    if (query.orderByBitrate) {
        std::stable_sort(result.begin(), result.end(),
                         [](const auto& a, const auto& b) { return a.bitrate > b.bitrate; });
    }
    return result;
}

QList<CatalogueStation> Catalogue::matching(const StationSearch& search) const {
    // The tags are a list with commas between them; no tag holds a comma. Without tagExact the
    // tag is a part of that list, as an SQL LIKE '%tag%' finds it.
    const auto tagMatches = [&](const CatalogueStation& station) {
        if (search.tag.isEmpty()) return true;
        if (!search.tagExact) return station.tags.contains(search.tag, Qt::CaseInsensitive);
        return station.tags.split(u',').contains(search.tag, Qt::CaseInsensitive);
    };
    const auto nameMatches = [&](const CatalogueStation& station) {
        if (search.name.isEmpty()) return true;
        if (search.nameExact) return station.name.compare(search.name, Qt::CaseInsensitive) == 0;
        return station.name.contains(search.name, Qt::CaseInsensitive);
    };
    // The languages are a list as the tags are, and read the same way.
    const auto languageMatches = [&](const CatalogueStation& station) {
        if (search.language.isEmpty()) return true;
        if (!search.languageExact)
            return station.languages.contains(search.language, Qt::CaseInsensitive);
        return station.languages.split(u',').contains(search.language, Qt::CaseInsensitive);
    };
    QList<CatalogueStation> result;
    for (const QList<CatalogueStation>* list : {&stations_, &liveOnly_}) {
        for (const CatalogueStation& station : *list) {
            if (!nameMatches(station) || !tagMatches(station) || !languageMatches(station))
                continue;
            if (!search.countryCode.isEmpty() &&
                station.countryCode.compare(search.countryCode, Qt::CaseInsensitive) != 0)
                continue;
            if (!search.codec.isEmpty() &&
                station.codec.compare(search.codec, Qt::CaseInsensitive) != 0)
                continue;
            if (station.bitrate < search.bitrateMin || station.bitrate > search.bitrateMax)
                continue;
            if (search.hideBroken && !station.lastCheckOk) continue;
            result.append(station);
        }
    }
    // Negative: a comes first.
    const auto compare = [&](const CatalogueStation& a, const CatalogueStation& b) {
        switch (search.order) {
            case StationSearch::Order::Bitrate:
                return a.bitrate - b.bitrate;
            case StationSearch::Order::ClickCount:
                return a.listeners() - b.listeners();
            case StationSearch::Order::Votes:
                return a.votes - b.votes;
            case StationSearch::Order::Name:
                break;
        }
        return a.name.compare(b.name, Qt::CaseInsensitive);
    };
    const int direction = search.reverse ? -1 : 1;
    std::ranges::stable_sort(
        result, [&](const auto& a, const auto& b) { return direction * compare(a, b) < 0; });
    return result;
}

QList<CatalogueStation> Catalogue::page(const DirectoryQuery& query) const {
    return matching(query).mid(query.startAt, query.numResult);
}

QString Catalogue::playlistText(int id) const {
    const CatalogueStation* found = station(id);
    if (!found) return {};
    QString text = QStringLiteral("[playlist]\nnumberofentries=%1\n").arg(found->servers.size());
    int k = 0;
    for (const StreamServer& server : found->servers) {
        ++k;
        text += QStringLiteral("File%1=%2\n").arg(k).arg(server.address);
        text += QStringLiteral("Title%1=(#%1 - %2/%3) %4\n")
                    .arg(k)
                    .arg(server.listeners)
                    .arg(server.maxListeners)
                    .arg(found->name);
        text += QStringLiteral("Length%1=-1\n").arg(k);
    }
    text += QStringLiteral("Version=2\n");
    return text;
}
