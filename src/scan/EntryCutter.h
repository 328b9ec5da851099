// EntryCutter: what one directory page layout knows about its station entries. The page walk
// (PageParser) does the rest, which both layouts share.
#pragma once

#include "StationEntry.h"

#include <QStringView>

class EntryCutter {
public:
    virtual ~EntryCutter() = default;

    // The text every entry of a page begins with.
    virtual QStringView entryMarker() const = 0;
    // Cuts the piece of the page that follows one entry marker into the parts the other calls
    // read. False when the piece holds no entry: it is skipped and nothing is appended. Throws
    // PageFault when the page cannot be read further. The piece outlives the calls below.
    virtual bool cut(QStringView piece) = 0;
    // The part of the entry that names its stream type.
    virtual QStringView typeText() const = 0;
    // Fills the fields of the entry just appended from the piece last cut; may throw PageFault,
    // leaving the fields filled so far.
    virtual void fill(StationEntry& entry) const = 0;
};
