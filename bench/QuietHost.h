// QuietHost: the window's options as a harvest without filters reads them (every stream type,
// no minimum bitrate, the window's file-name template, name limit and format); everything
// written to it goes nowhere. For benchmarks that run the program's parts without a window.
#pragma once

#include "ScanHost.h"

class QuietHost final : public ScanHost {
public:
    QString cmdRunCaption() const override { return QStringLiteral("&Stop"); }
    void setCmdRunCaption(const QString&) override {}
    QString cmbNumberText() const override { return QStringLiteral("100"); }
    bool chk100Checked() const override { return true; }
    int cmbGenreIndex() const override { return 0; }
    int cmbGenreCount() const override { return 1; }
    QString cmbGenreItem(int) const override { return QStringLiteral("TopTen"); }
    bool chkAllGenreChecked() const override { return false; }
    QString txtSearchText() const override { return {}; }
    int cmbMinBitIndex() const override { return 0; }
    void setCmbMinBitIndex(int) override {}
    QString cmbMinBitText() const override { return {}; }
    int cmbMaxBitIndex() const override { return 0; }
    QString cmbMaxBitText() const override { return {}; }
    bool chkNewChecked() const override { return false; }
    bool chkOrderBitrateChecked() const override { return false; }
    QString cmbStreamText() const override { return QStringLiteral("<all>"); }
    QString txtDLText() const override { return {}; }
    QString txtPlsSizeText() const override { return QStringLiteral("40"); }
    QString txtFormatText() const override { return QStringLiteral("%STATION%_%BITRATE%"); }
    QString cmbFormatText() const override { return QStringLiteral("PLS file"); }
    QString txturlText() const override { return {}; }
    void setTxturlText(const QString&) override {}
    QString txtProgText() const override { return {}; }
    void setTxtProgText(const QString&) override {}
    QString txtStatText() const override { return {}; }
    void setTxtStatText(const QString&) override {}
    void setTxtSourceText(const QString&) override {}
    void clearLstHeaders() override {}
    void addLstHeadersItem(const QString&) override {}
    void setVp1Text(const QString&) override {}
    void setVp1Value(int) override {}
    void DoEvents() override {}
    void showUnexpectedEvent(const QString&) override {}
};
