#include "StationSaver.h"

// The playlist writers arrive with the playlist output; until then nothing is saved.
void StationSaver::SaveStation(int32_t index) { (void)index; }
