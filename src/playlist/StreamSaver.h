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
    // or for a stream already written into the same genre folder during the run. The timing
    // line keeps the page's request time.
    void SaveStation(int32_t index) override;
    void startRun() override { m_written.clear(); }

private:
    ScanHost& m_host;
    ScanState& m_state;
    // Genre folder and stream address of every file written in this run.
    QSet<QString> m_written;
};
