// TerminalHost: what the harvest engine reads and writes in the window, answered from the command
// line's options, with the run's progress as one line on a terminal.
#pragma once

#include "HarvestOptions.h"
#include "ScanHost.h"

#include <QElapsedTimer>
#include <QStringList>

struct ScanState;

class TerminalHost : public ScanHost {
public:
    // progressLine: redraw one progress line on standard error while the run goes on.
    TerminalHost(const HarvestOptions& options, bool progressLine);

    // Read at the ends of the progress line; set once the engine exists.
    void watch(const ScanState& state) { m_state = &state; }
    // Clears the progress line, so that what is printed next starts on a line of its own.
    void endProgress();
    // Complaints the run made (an unexpected event), for the end of the run.
    const QStringList& complaints() const { return m_complaints; }

    QString cmdRunCaption() const override { return m_caption; }
    void setCmdRunCaption(const QString& caption) override { m_caption = caption; }
    QString cmbNumberText() const override { return m_options.count; }
    bool chk100Checked() const override { return m_options.fast; }
    // The genres of the run, then "Search", all taken as "Scan All Genre's": the driver's own
    // rule then runs each chosen genre, and Search only with a search text.
    int cmbGenreIndex() const override { return 0; }
    int cmbGenreCount() const override { return static_cast<int>(m_genres.size()); }
    QString cmbGenreItem(int index) const override { return m_genres.value(index); }
    bool chkAllGenreChecked() const override { return true; }
    QString txtSearchText() const override { return m_options.search; }
    int cmbMinBitIndex() const override;
    void setCmbMinBitIndex(int index) override;
    QString cmbMinBitText() const override { return m_options.minBitrate; }
    int cmbMaxBitIndex() const override;
    QString cmbMaxBitText() const override { return m_options.maxBitrate; }
    bool chkNewChecked() const override { return false; }
    bool chkOrderBitrateChecked() const override { return m_options.orderByBitrate; }
    QString cmbStreamText() const override { return m_options.stream; }
    QString txtDLText() const override { return m_options.output; }
    QString txtPlsSizeText() const override { return m_options.maxLength; }
    QString txtFormatText() const override { return m_options.nameTemplate; }
    QString cmbFormatText() const override { return m_options.format; }
    QString txturlText() const override { return m_url; }
    void setTxturlText(const QString& text) override { m_url = text; }
    QString txtProgText() const override { return m_prog; }
    void setTxtProgText(const QString& text) override { m_prog = text; }
    QString txtStatText() const override { return m_stat; }
    void setTxtStatText(const QString& text) override { m_stat = text; }
    void setTxtSourceText(const QString&) override {}
    void clearLstHeaders() override {}
    void addLstHeadersItem(const QString&) override {}
    void setVp1Text(const QString&) override {}
    void setVp1Value(int value) override;
    void DoEvents() override;
    void showUnexpectedEvent(const QString& message) override { m_complaints.append(message); }

private:
    void drawProgress();

    HarvestOptions m_options;
    QStringList m_genres;
    bool m_progressLine;
    const ScanState* m_state = nullptr;
    QElapsedTimer m_sinceStart;
    qint64 m_drawnAt = -1;  // ms since the start when the line was last drawn
    QString m_caption = QStringLiteral("&Run");
    QString m_url, m_prog, m_stat;
    QStringList m_complaints;
};
