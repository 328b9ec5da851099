// StationSink: what the page parsers hand each accepted station to.
#pragma once

#include <cstdint>

class StationSink {
public:
    virtual ~StationSink() = default;
    // Saves the station at this index of Stations; true when its playlist was written.
    virtual bool SaveStation(int32_t index) = 0;
    // A run begins.
    virtual void startRun() {}
};
