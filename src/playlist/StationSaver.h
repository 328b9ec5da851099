// StationSaver: fetches the playlist of one accepted station and writes it, in the chosen
// format and under a name made from the template, into the genre's folder.
#pragma once

#include "StationSink.h"

class ScanHost;
struct ScanState;

class StationSaver : public StationSink {
public:
    StationSaver(ScanHost& host, ScanState& state) : m_host(host), m_state(state) {}

    // Saves Stations[index]. Sets its FileName before the download; reports nothing: a
    // station that cannot be fetched or written is dropped, and only a saved one updates the
    // timing line. A download without a 2xx answer, or a name whose path steps would leave the
    // genre folder, writes nothing; in a genre folder that must not be written into nothing is
    // fetched.
    bool SaveStation(int32_t index) override;

private:
    ScanHost& m_host;
    ScanState& m_state;
};
