// FakeScanHost: the main window's controls as plain fields, for testing the scan without a
// window. Every write is also logged, so a test can check what was shown and in which order.
#pragma once

#include "ScanHost.h"

#include <QStringList>
#include <functional>

class FakeScanHost : public ScanHost {
public:
    FakeScanHost();

    QString caption = QStringLiteral("Run");
    QString number = QStringLiteral("5");
    bool fastScan = true;
    QStringList genres;
    int genreIndex = 0;
    bool allGenres = false;
    QString search;
    QStringList bitrates;
    int minBitIndex = 6;
    int maxBitIndex = 0;
    bool newServer = false;
    bool orderByBitrate = false;
    QString stream = QStringLiteral("MP3");
    QString downloadPath;
    QString plsSize = QStringLiteral("40");
    QString fileTemplate = QStringLiteral("%STATION%_%BITRATE%");
    QString format = QStringLiteral("PLS file");
    QString url = QStringLiteral("http://");
    QString prog;
    QString stat;
    QString source;
    QStringList headers;
    QString barText;
    int barValue = 0;
    QList<int> barValues;       // every value written to the bar, in order
    QStringList barTexts;       // every caption written to the bar, in order
    QStringList urls;           // every address written to txturl, in order
    QStringList messages;       // message boxes shown
    int doEventsCalls = 0;
    std::function<void()> onDoEvents;  // runs inside DoEvents, e.g. to click Stop

    QString cmdRunCaption() const override { return caption; }
    void setCmdRunCaption(const QString& c) override { caption = c; }
    QString cmbNumberText() const override { return number; }
    bool chk100Checked() const override { return fastScan; }
    int cmbGenreIndex() const override { return genreIndex; }
    int cmbGenreCount() const override { return static_cast<int>(genres.size()); }
    QString cmbGenreItem(int index) const override { return genres.value(index); }
    bool chkAllGenreChecked() const override { return allGenres; }
    QString txtSearchText() const override { return search; }
    int cmbMinBitIndex() const override { return minBitIndex; }
    void setCmbMinBitIndex(int index) override { minBitIndex = index; }
    QString cmbMinBitText() const override { return bitrates.value(minBitIndex); }
    int cmbMaxBitIndex() const override { return maxBitIndex; }
    QString cmbMaxBitText() const override { return bitrates.value(maxBitIndex); }
    bool chkNewChecked() const override { return newServer; }
    bool chkOrderBitrateChecked() const override { return orderByBitrate; }
    QString cmbStreamText() const override { return stream; }
    QString txtDLText() const override { return downloadPath; }
    QString txtPlsSizeText() const override { return plsSize; }
    QString txtFormatText() const override { return fileTemplate; }
    QString cmbFormatText() const override { return format; }
    QString txturlText() const override { return url; }
    void setTxturlText(const QString& text) override { url = text; urls.append(text); }
    QString txtProgText() const override { return prog; }
    void setTxtProgText(const QString& text) override { prog = text; }
    QString txtStatText() const override { return stat; }
    void setTxtStatText(const QString& text) override { stat = text; }
    void setTxtSourceText(const QString& text) override { source = text; }
    void clearLstHeaders() override { headers.clear(); }
    void addLstHeadersItem(const QString& line) override { headers.append(line); }
    void setVp1Text(const QString& text) override { barText = text; barTexts.append(text); }
    void setVp1Value(int value) override { barValue = value; barValues.append(value); }
    void DoEvents() override;
    void showUnexpectedEvent(const QString& message) override { messages.append(message); }
};
