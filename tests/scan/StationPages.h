// Directory pages written by the tests, in both layouts, and a parser fixture around them: a fake
// window, the run state and a sink that records which stations it was asked to save.
#pragma once

#include "FakeScanHost.h"
#include "PageParser.h"
#include "ScanState.h"
#include "StationSink.h"

#include <gtest/gtest.h>

#include <QList>
#include <QString>
#include <ostream>

// Readable texts in the messages of failed comparisons.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// One station as a test writes it; the defaults make a well-formed MP3 entry at 128 kbit/s.
struct TestStation {
    QString name = QStringLiteral("Radio One");
    QString bitrate = QStringLiteral("128");
    QString typeText = QStringLiteral("\">MP3</div>");  // the text the type is read from
    QString id = QStringLiteral("77");
};

// Current layout, from raw parts: the links before "dirMoreGnrDiv", the bitrate cell and the type
// cell after their "dirListenersCnt".
inline QString CurrentEntry(const QString& links, const QString& bitrateCell,
                            const QString& typeCell = QStringLiteral("\">MP3</div>")) {
    return "dirMoreDtlDiv" + links + "dirMoreGnrDiv\">Rock</div><div class=\"dirListenersCnt\">42" +
           "</div><div class=\"dirListenersCnt" + bitrateCell +
           "</div><div class=\"dirListenersCnt" + typeCell;
}
inline QString CurrentLinks(const QString& playlist, const QString& linkText) {
    return "\"><a href=\"" + playlist + "\">Listen</a> <a href=\"http://home.example/\" " +
           "target=\"_blank\">" + linkText + "</a></div><div class=\"";
}
inline QString CurrentEntry(const TestStation& s) {
    return CurrentEntry(CurrentLinks("/pls?id=" + s.id, "  " + s.name),
                        "\">Bitrate: <span class=\"fontYellowColor\">" + s.bitrate + "</span>",
                        s.typeText);
}

// Classic layout, from raw parts: the playlist query ("?rn=..."), and the rest of the entry.
inline QString ClassicEntry(const QString& query, const QString& rest) {
    return "<a href=\"/sbin/shoutcast-playlist.pls" + query + "&file=filename.pls" + rest;
}
inline QString ClassicCell(const QString& text) {
    return "<font size=\"2\" color=\"#FFFFFF\">" + text + "</font>";
}
inline QString ClassicRest(const QString& typeText, const QString& linkAndName,
                           const QString& cells) {
    return typeText + " <a id=\"listlinks\" target=\"_scurl\" href=\"" + linkAndName + "</a>" +
           cells + "\n";
}
inline QString ClassicEntry(const TestStation& s) {
    return ClassicEntry(
        "?rn=" + s.id,
        ClassicRest(s.typeText, "http://station.example/\">" + s.name,
                    ClassicCell("Rock") + ClassicCell("42") + ClassicCell(s.bitrate)));
}

struct RecordingSink : StationSink {
    QList<int32_t> saved;
    QStringList savedNames;  // the name of each saved entry when it was handed over
    ScanState* state = nullptr;
    void SaveStation(int32_t index) override {
        saved.append(index);
        savedNames.append(state->Stations.value(index).Name);
    }
};

class ParserFixture {
protected:
    ParserFixture() {
        sink.state = &state;
        state.m_GenreCount = 1;
        state.m_PageCount = 1;
        state.m_Genre = QStringLiteral("Rock");
        host.stream = QStringLiteral("<all>");
    }
    QStringList appendedNames() const {
        QStringList names;
        for (int i = 1; i <= state.StationCount; ++i) names.append(state.Stations[i].Name);
        return names;
    }

    FakeScanHost host;
    ScanState state;
    RecordingSink sink;
    PageParser parser{host, state, sink};
};
