// StreamSaver: writes the playlist of a station whose entry already holds its stream address
// (the live community directory's answers), without asking the directory for a playlist.
#pragma once

#include "StationSink.h"

#include <QSet>
#include <QString>

class ScanHost;
struct ScanState;

class StreamSaver : public StationSink {
public:
    StreamSaver(ScanHost& host, ScanState& state) : m_host(host), m_state(state) {}

    // Saves Stations[index] around its PlaylistLink, named and written as every playlist is.
    // Nothing is written for an entry without a name, for an address that is not http or https,
    // for a stream already written into the same genre folder during the run (the same address
    // but for http or https and a trailing "/"), or under a file name that a station before it
    // took in the run: the first station, the higher ranked, keeps its file. A file from an
    // earlier run is replaced. The timing line keeps the page's request time.
    bool SaveStation(int32_t index) override;
    void startRun() override {
        m_streams.clear();
        m_files.clear();
    }

private:
    ScanHost& m_host;
    ScanState& m_state;
    // Genre folder and stream of every file written in this run.
    QSet<QString> m_streams;
    // Every file written in this run.
    QSet<QString> m_files;
};
