#include "FakeScanHost.h"

FakeScanHost::FakeScanHost()
    : genres({"TopTen", "Alternative", "Classical", "Comedy", "Country", "Dance", "Funk", "Jazz",
              "Metal", "Mixed", "Pop", "Rap", "RnB", "Rock", "Talk", "Techno", "70s", "80s",
              "World", "Search"}),
      bitrates({QString(), "24", "32", "48", "56", "64", "96", "128", "160", "192", "256", "320"}) {}

void FakeScanHost::DoEvents() {
    ++doEventsCalls;
    if (onDoEvents) onDoEvents();
}
