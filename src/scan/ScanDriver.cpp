#include "ScanDriver.h"

#include "PageSource.h"
#include "PathMacros.h"
#include "QueryAddress.h"
#include "Rounding.h"
#include "RunRecorder.h"
#include "ScanHost.h"
#include "ScanState.h"

#include <QScopeGuard>
#include <exception>

namespace {

const QString kRun = QStringLiteral("&Run");
const QString kStop = QStringLiteral("&Stop");

// Leading and trailing blanks removed (blanks only, not other white space).
QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' ')) ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' ')) --end;
    return text.mid(begin, end - begin);
}

// The leading whole number of a text, 0 when it has none.
int LeadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
    qsizetype end = i;
    while (end < text.size() && text[end].isDigit() && text[end].unicode() < 0x80) ++end;
    bool ok = false;
    const int value = text.mid(i, end - i).toInt(&ok);
    return ok ? value : 0;
}

// Thrown at a check point that finds the run stopped.
struct RunStopped {};

}  // namespace

void ScanDriver::cmdRun_Click() {
    if (m_host.cmdRunCaption() == kStop) {
        requestStop();
        return;
    }
    // A stopped run that has not yet ended takes the click as one more Stop: a user who clicks
    // Stop again and again never means to start a run.
    if (m_state.m_RunUnderWay) return;
    m_state.m_RunUnderWay = true;
    const auto ended = qScopeGuard([this] { m_state.m_RunUnderWay = false; });
    try {
        run();
    } catch (const std::exception& error) {
        m_host.showUnexpectedEvent(QStringLiteral("Unexpected event: ") +
                                   QString::fromLocal8Bit(error.what()));
    }
}

void ScanDriver::requestStop() {
    m_state.m_Running = false;
    m_host.setCmdRunCaption(kRun);
    m_host.setTxtProgText(QStringLiteral("Stopped !"));
    m_host.DoEvents();
}

void ScanDriver::run() {
    m_host.setCmdRunCaption(kStop);
    m_state.m_Running = true;
    m_state.m_PageCount = 1;

    // Pages of 25 stations, or of 100 with "Fast Scan".
    const int stations = LeadingNumber(m_host.cmbNumberText());
    int pageSize = stations;
    const bool fastScan = m_host.chk100Checked();
    if (!fastScan && pageSize > 25) {
        m_state.m_PageCount = RoundHalfEven(pageSize / 25.0);
        pageSize = 25;
    } else if (fastScan && pageSize >= 100) {
        m_state.m_PageCount = RoundHalfEven(pageSize / 100.0);
        pageSize = 100;
    }

    // The genres: the selected one, or all of them ("Search" last, and only with a search text).
    int first = m_host.cmbGenreIndex();
    int last = first;
    if (m_host.chkAllGenreChecked()) {
        first = 0;
        last = m_host.cmbGenreCount() - 1;
        if (TrimBlanks(m_host.txtSearchText()).isEmpty()) last = m_host.cmbGenreCount() - 2;
    }
    m_state.m_GenreCount = static_cast<float>(last - first + 1);
    m_host.setVp1Text(QStringLiteral("Preparing"));

    // A minimum above the maximum is lowered to the maximum.
    if (m_host.cmbMinBitIndex() > m_host.cmbMaxBitIndex() && m_host.cmbMaxBitIndex() != 0)
        m_host.setCmbMinBitIndex(m_host.cmbMaxBitIndex());

    m_state.m_ProgressBase = 0;
    m_state.m_NotSaved = 0;
    m_state.m_Tally = RunTally{};
    // A genre's folder stays open while the genre runs, and no longer than the run.
    const auto closeFolder = qScopeGuard([this] { m_state.m_DownloadFolder.reset(); });
    m_host.setVp1Value(0);
    m_source = &m_sourceOfRun();
    m_source->startRun();
    RunRecorder* const recorder = m_state.m_Recorder;
    if (recorder) recorder->startRun();

    try {
        runGenres(first, last, pageSize, stations);
    } catch (const RunStopped&) {
        if (recorder) recorder->endRun(false);
        m_host.setCmdRunCaption(kRun);
        m_host.setVp1Text(m_host.txtProgText());
        m_host.setVp1Value(100);
        return;
    }
    if (recorder) recorder->endRun(true);
    // Stations that could not be written are owned up to, however many were.
    const QString ending = m_state.m_NotSaved == 0
                               ? QStringLiteral("Done")
                               : QStringLiteral("Done, %1 not saved").arg(m_state.m_NotSaved);
    m_host.setTxtProgText(ending);
    m_host.setVp1Text(ending);
    m_host.setVp1Value(100);
    m_host.setCmdRunCaption(kRun);
}

void ScanDriver::runGenres(int first, int last, int pageSize, int stations) {
    const auto checkPoint = [this] {
        if (!m_state.m_Running) throw RunStopped{};
    };
    for (int genre = first; genre <= last; ++genre) {
        m_state.m_MinBitrate = LeadingNumber(m_host.cmbMinBitText());
        m_state.m_Genre = m_host.cmbGenreItem(genre);
        m_state.m_Tally.genres.append(GenreTally{.genre = m_state.m_Genre, .folder = {}});
        const int32_t notSavedBefore = m_state.m_NotSaved;
        const auto counted = qScopeGuard([&] {
            m_state.m_Tally.current().notSaved = m_state.m_NotSaved - notSavedBefore;
        });
        GenreFolder folder =
            ExpandDownloadDir(m_host.txtDLText(), m_state.m_Genre, m_state.m_ExpandedDir);
        RunRecorder* const recorder = m_state.m_Recorder;
        if (recorder) recorder->startGenre(m_state.m_Genre, folder);
        m_state.m_DownloadDir = folder.path;
        m_state.m_Tally.current().folder = folder.path;
        m_state.m_DownloadFolder = std::move(folder.folder);
        const QString maxBitrateText = m_host.cmbMaxBitText();
        m_host.setVp1Text(QStringLiteral("Getting Genre ") + m_state.m_Genre);

        GenrePages pages;
        pages.pages = m_state.m_PageCount;
        pages.pageSize = pageSize;
        pages.stations = stations;
        pages.query = [&](int page) {
            PageQuery query;
            query.startOffset = (page - 1) * pageSize;
            query.pageSize = pageSize;
            query.genre = m_state.m_Genre;
            query.maxBitrateText = maxBitrateText;
            query.orderByBitrate = m_host.chkOrderBitrateChecked();
            query.searchText = m_host.txtSearchText();
            query.minBitrate = m_state.m_MinBitrate;
            query.streamText = m_host.cmbStreamText();
            return query;
        };
        pages.checkPoint = checkPoint;
        // What the genre wrote is recorded also when the run stops in it.
        const auto genreEnded = qScopeGuard([&] {
            if (!recorder) return;
            if (m_state.m_NotSaved != notSavedBefore) recorder->listingIncomplete();
            recorder->endGenre();
        });
        m_source->runGenre(pages, m_state);
    }
}

bool ScanDriver::runInProgress() const {
    return m_state.m_RunUnderWay;
}
