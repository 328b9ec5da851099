#include "RealCases.h"

#include <QUuid>

namespace {

struct Case {
    const char* name;  // UTF-8
    const char* tags;
    const char* codec;
    int bitrate;
    const char* url;
    const char* urlResolved;
    int clicks;
};

// clang-format off
const Case kCases[] = {
    {"Радио МИР", "pop", "MP3", 128, "http://mir.example/live", "", 950},
    {"ラジオ日本 Tokyo", "pop,j-pop", "AAC+", 64, "http://nihon.example/aac", "", 940},
    {"Ελληνικό Ραδιόφωνο", "pop,greek pop", "MP3", 128, "http://ellada.example/mp3", "", 930},
    {"Deep House Sunset Mix🇺🇦", "dance,house", "MP3", 192, "http://sunset.example/live", "", 920},
    {"Emoji 🎷 Jazz 🎺 Club", "jazz", "AAC", 96, "http://emoji.example/jazz", "", 910},
    {"Radio Überlänge ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ "
     "ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ ÄÖÜ Ende", "rock", "MP3", 128,
     "http://long.example/stream", "", 900},
    {".977 Hitz", "pop,80s", "MP3", 128, "http://977.example/hitz", "", 890},
    {"\xEF\xBB\xBFRadio Zero\xE2\x80\x8BWidth", "jazz", "MP3", 128, "http://zero.example/live", "", 880},
    {"BBC World Service", "talk,news", "MP3", 56, "http://bbc.example/ws/main", "", 870},
    {"BBC World Service", "talk,news", "MP3", 56, "http://bbc.example/ws/eastasia", "", 860},
    {"Circuito X 89.7 FM", "rock", "MP3", 128, "http://circuito.example/live|hq", "", 850},
    {"R. BOB", "rock", "MP3", 128, "http://bob.example/stream[1].mp3", "", 840},
    {"Token Radio", "pop", "MP3", 128, "http://token.example/live",
     "http://edge3.token.example/live?rj-tok=AAABk2x", 830},
    {"Playlist Only FM", "jazz", "MP3", 128, "http://plsonly.example/listen.pls",
     "http://plsonly.example:8000/stream", 820},
    {"Unknown Rate Rock", "rock", "MP3", 0, "http://unknown.example/rock", "", 810},
    {"Trap Nation", "trap", "MP3", 128, "http://trap.example/live", "", 800},
    {"Grand Rapids Talk", "grand rapids,talk", "MP3", 64, "http://gr.example/live", "", 790},
    {"Discography Radio", "discography", "MP3", 128, "http://disco.example/live", "", 780},
    {"Nürnberg Eins", "nürnberg", "MP3", 128, "http://nuernberg.example/live", "", 770},
    {"Technology Today", "technology", "MP3", 64, "http://tech.example/live", "", 760},
    {"Remixed Hits", "remixed", "MP3", 128, "http://remixed.example/live", "", 750},
    {"World News Now", "world news", "MP3", 64, "http://wnn.example/live", "", 740},
    {"Hip Hop Central", "hip hop", "MP3", 128, "http://hiphop.example/live", "", 730},
    {"HipHop Nonstop", "hiphop", "AAC+", 64, "http://hiphop2.example/live", "", 720},
    {"Rhythm and Blues Radio", "rhythm and blues", "MP3", 128, "http://rab.example/live", "", 710},
    {"R'n'B Lounge", "r'n'b", "MP3", 128, "http://rnblounge.example/live", "", 700},
    {"Seventies Gold", "1970s", "MP3", 128, "http://gold70.example/live", "", 690},
    {"70's Forever", "70's", "MP3", 128, "http://forever70.example/live", "", 680},
    {"Jazz, Blues & \"Soul\" Ночь", "jazz", "MP3", 128, "http://comma.example/live", "", 670},
};
// clang-format on

QString uuidOf(const char* what, int id) {
    static const QUuid space(QStringLiteral("2b3c4d5e-6f70-4182-93a4-b5c6d7e8f901"));
    return QUuid::createUuidV5(space, QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(id))
        .toString(QUuid::WithoutBraces);
}

}  // namespace

QList<CatalogueStation> realCaseStations(int firstId) {
    QList<CatalogueStation> stations;
    int id = firstId;
    for (const Case& c : kCases) {
        CatalogueStation station;
        station.id = id++;
        station.name = QString::fromUtf8(c.name);
        station.tags = QString::fromUtf8(c.tags);
        station.codec = QLatin1String(c.codec);
        station.type = station.codec.startsWith(u"AAC") ? StreamType::Aac : StreamType::Mp3;
        station.bitrate = c.bitrate;
        station.url = QString::fromUtf8(c.url);
        station.urlResolved = QString::fromUtf8(c.urlResolved);
        if (station.urlResolved.isEmpty()) station.urlResolved = station.url;
        station.homepage = QStringLiteral("http://home%1.example/").arg(station.id);
        station.favicon = QStringLiteral("https://home%1.example/logo.png").arg(station.id);
        // The listeners are the answers' clickcount.
        station.servers = {{station.url, c.clicks, c.clicks * 2}};
        station.uuid = uuidOf("station", station.id);
        station.changeUuid = uuidOf("change", station.id);
        station.countryCode = QStringLiteral("XX");
        station.votes = c.clicks / 10;
        stations.append(station);
    }
    return stations;
}
