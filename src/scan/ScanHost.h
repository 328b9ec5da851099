// ScanHost: the controls of the main window that a scan reads and writes, at the moments the
// scan reads them. The main window implements it; tests drive the scan with a fake.
#pragma once

#include <QString>

class ScanHost {
public:
    virtual ~ScanHost() = default;

    // cmdRun: "&Run" or "&Stop" (the caption decides what a click does).
    virtual QString cmdRunCaption() const = 0;
    virtual void setCmdRunCaption(const QString& caption) = 0;

    // Options of a run.
    virtual QString cmbNumberText() const = 0;  // stations per genre
    virtual bool chk100Checked() const = 0;     // "Fast Scan"
    virtual int cmbGenreIndex() const = 0;
    virtual int cmbGenreCount() const = 0;
    virtual QString cmbGenreItem(int index) const = 0;
    virtual bool chkAllGenreChecked() const = 0;  // "Scan All Genre's"
    virtual QString txtSearchText() const = 0;
    virtual int cmbMinBitIndex() const = 0;
    virtual void setCmbMinBitIndex(int index) = 0;
    virtual QString cmbMinBitText() const = 0;
    virtual int cmbMaxBitIndex() const = 0;
    virtual QString cmbMaxBitText() const = 0;
    virtual bool chkNewChecked() const = 0;           // "New server": current page layout
    virtual bool chkOrderBitrateChecked() const = 0;  // "Order by max bitrate"
    virtual QString cmbStreamText() const = 0;        // "MP3", "AAC" or "<all>"
    virtual QString txtDLText() const = 0;            // download path, with macros
    virtual QString txtPlsSizeText() const = 0;       // longest station name in a file name
    virtual QString txtFormatText() const = 0;        // file-name template
    virtual QString cmbFormatText() const = 0;        // "PLS file", "ASX file", "M3U file"

    // Status displays.
    virtual QString txturlText() const = 0;  // address of the next page fetch
    virtual void setTxturlText(const QString& text) = 0;
    virtual QString txtProgText() const = 0;  // last stop reason or "Done"
    virtual void setTxtProgText(const QString& text) = 0;
    virtual QString txtStatText() const = 0;  // timing line of the last download
    virtual void setTxtStatText(const QString& text) = 0;
    virtual void setTxtSourceText(const QString& text) = 0;  // text of the last page
    virtual void clearLstHeaders() = 0;                      // header lines of the last page
    virtual void addLstHeadersItem(const QString& line) = 0;
    virtual void setVp1Text(const QString& text) = 0;  // the progress bar's caption
    virtual void setVp1Value(int value) = 0;           // the progress bar's percentage

    // Lets the window's pending events run (clicks, repaints, closing the window).
    virtual void DoEvents() = 0;
    // Shows the one message box of a run.
    virtual void showUnexpectedEvent(const QString& message) = 0;
};
