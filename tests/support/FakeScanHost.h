// FakeScanHost: the main window's controls for testing the page parsers and the station saver
// without a window. The controls they read are plain fields; the others read as the window's
// starting values, and what is written to them is dropped.
#pragma once

#include "ScanHost.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

class FakeScanHost : public ScanHost {
public:
    bool newServer = false;
    QString stream = QStringLiteral("MP3");
    QString plsSize = QStringLiteral("40");
    QString fileTemplate = QStringLiteral("%STATION%_%BITRATE%");
    QString format = QStringLiteral("PLS file");
    QTemporaryDir downloads;  // where a run opens its genre folders
    QString stat;
    // The options a run reads: the stations per genre, "Fast Scan", the genre list and its
    // selection, "Scan All Genre's", the search text and the bitrate lists' selections.
    QString number = QStringLiteral("5");
    bool fast = true;
    QStringList genres = {QStringLiteral("TopTen")};
    int genreIndex = 0;
    bool allGenres = false;
    QString search;
    int minBitIndex = 6, maxBitIndex = 0;
    QList<int> barValues;  // every value written to the bar, in order
    int doEventsCalls = 0;
    std::function<void()> onDoEvents;  // runs inside DoEvents, e.g. to click Stop

    QString cmdRunCaption() const override { return QStringLiteral("Run"); }
    void setCmdRunCaption(const QString&) override {}
    QString cmbNumberText() const override { return number; }
    bool chk100Checked() const override { return fast; }
    int cmbGenreIndex() const override { return genreIndex; }
    int cmbGenreCount() const override { return int(genres.size()); }
    QString cmbGenreItem(int index) const override { return genres.value(index); }
    bool chkAllGenreChecked() const override { return allGenres; }
    QString txtSearchText() const override { return search; }
    int cmbMinBitIndex() const override { return minBitIndex; }
    void setCmbMinBitIndex(int index) override { minBitIndex = index; }
    QString cmbMinBitText() const override { return QStringLiteral("96"); }
    int cmbMaxBitIndex() const override { return maxBitIndex; }
    QString cmbMaxBitText() const override { return {}; }
    bool chkNewChecked() const override { return newServer; }
    bool chkOrderBitrateChecked() const override { return false; }
    QString cmbStreamText() const override { return stream; }
    QString txtDLText() const override { return downloads.path(); }
    QString txtPlsSizeText() const override { return plsSize; }
    QString txtFormatText() const override { return fileTemplate; }
    QString cmbFormatText() const override { return format; }
    QString txturlText() const override { return QStringLiteral("http://"); }
    void setTxturlText(const QString&) override {}
    QString txtProgText() const override { return {}; }
    void setTxtProgText(const QString&) override {}
    QString txtStatText() const override { return stat; }
    void setTxtStatText(const QString& text) override { stat = text; }
    void setTxtSourceText(const QString&) override {}
    void clearLstHeaders() override {}
    void addLstHeadersItem(const QString&) override {}
    void setVp1Text(const QString&) override {}
    void setVp1Value(int value) override { barValues.append(value); }
    void DoEvents() override {
        ++doEventsCalls;
        if (onDoEvents) onDoEvents();
    }
    void showUnexpectedEvent(const QString&) override {}
};
