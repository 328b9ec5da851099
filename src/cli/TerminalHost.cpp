#include "TerminalHost.h"

#include "PendingEvents.h"
#include "RunChoices.h"
#include "ScanState.h"

#include <cstdio>

TerminalHost::TerminalHost(const HarvestOptions& options, bool progressLine)
    : m_options(options), m_progressLine(progressLine) {
    m_genres = options.allGenres ? RunChoices::kGenres : options.genres;
    m_genres.removeAll(RunChoices::kSearchGenre);
    m_genres += options.tags;
    m_genres.append(RunChoices::kSearchGenre);
    m_sinceStart.start();
}

// The bitrate lists' indexes: the entry the option names, 0 (no limit) when none.
int TerminalHost::cmbMinBitIndex() const {
    return static_cast<int>(
        std::max<qsizetype>(0, RunChoices::kBitrates.indexOf(m_options.minBitrate)));
}
int TerminalHost::cmbMaxBitIndex() const {
    return static_cast<int>(
        std::max<qsizetype>(0, RunChoices::kBitrates.indexOf(m_options.maxBitrate)));
}
void TerminalHost::setCmbMinBitIndex(int index) {
    m_options.minBitrate = RunChoices::kBitrates.value(index);
}

void TerminalHost::setVp1Value(int) {
    // A terminal is redrawn a few times a second at most: a run of thousands of stations must not
    // spend its time writing to it.
    if (!m_progressLine || !m_state || m_state->m_Tally.genres.isEmpty()) return;
    const qint64 now = m_sinceStart.elapsed();
    if (m_drawnAt >= 0 && now - m_drawnAt < 100) return;
    m_drawnAt = now;
    drawProgress();
}

void TerminalHost::drawProgress() {
    const RunTally& tally = m_state->m_Tally;
    const QString line = QStringLiteral("%1  %2/%3 written  %4 requests  %5 s")
                             .arg(tally.genres.last().genre)
                             .arg(tally.genres.last().written)
                             .arg(m_options.count)
                             .arg(tally.total().requests)
                             .arg(m_sinceStart.elapsed() / 1000);
    // Back to the line's start, the line, and the rest of the old one erased.
    std::fprintf(stderr, "\r%s\033[K", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

void TerminalHost::endProgress() {
    if (m_progressLine && m_drawnAt >= 0) std::fputs("\r\033[K", stderr);
}

void TerminalHost::DoEvents() {
    PendingEvents::DoEvents();
}
