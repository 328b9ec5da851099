#include "EarlierFile.h"

EarlierFile JudgeEarlierFile(const RecordEntry& earlier, const RunFiles& written, bool listingWhole,
                             const std::optional<QByteArray>& bytesNow) {
    if (written.names.contains(earlier.fileName)) return EarlierFile::WrittenAgain;
    if (!bytesNow) return EarlierFile::Gone;
    if (FileHash(*bytesNow) != earlier.sha256) return EarlierFile::Changed;
    // A station seen under its new name is known to have left its old one, however much of the
    // listing was read.
    if (!earlier.stationId.isEmpty() && written.stationIds.contains(earlier.stationId))
        return EarlierFile::Renamed;
    return listingWhole ? EarlierFile::Left : EarlierFile::Listed;
}
