// StationSaver: fetches the playlist of one accepted station and writes it, in the chosen
// format and under a name made from the template, into the genre's folder.
#pragma once

#include "StationSink.h"

class ScanHost;
struct ScanState;

class StationSaver : public StationSink {
public:
    StationSaver(ScanHost& host, ScanState& state) : m_host(host), m_state(state) {}

    void SaveStation(int32_t index) override;

private:
    ScanHost& m_host;
    ScanState& m_state;
};
