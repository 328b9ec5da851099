// frmMain: the program's one working window. It holds every option of a scan in its controls,
// the run state, and the station list; its buttons run and stop scans, pick and open the
// download folder and show the About window.
#pragma once

#include "HarvestEngine.h"
#include "ScanHost.h"

#include <QWidget>
#include <array>

class GFXFrameX;
class ProgressBar;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class SourceTextBox;
class StatusLineBox;

class frmMain : public QWidget, public ScanHost {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Run state and station list of the window, for the scan and for tests.
    ScanState& scanState() { return m_state; }
    const ScanState& scanState() const { return m_state; }
    bool runInProgress() const { return m_engine.driver().runInProgress(); }
    // How runs on the live directory find its servers.
    ServerChoice& radioBrowserServers() { return m_engine.radioBrowser().servers(); }

    // Banner.
    QLabel* Image2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr;
    // Label1 is a group of labels: elements 0 to 8.
    std::array<QLabel*, 9> Label1{};
    // The options frame and its children.
    GFXFrameX* GFXFrameX1 = nullptr;
    QLineEdit* txtDL = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QPushButton* cmdExplore = nullptr;
    QComboBox* cmbMinBit = nullptr;
    QComboBox* cmbMaxBit = nullptr;
    QPushButton* cmdAbout = nullptr;
    QCheckBox* chk100 = nullptr;
    QCheckBox* chkOrderBitrate = nullptr;
    QComboBox* CmbNumber = nullptr;
    QComboBox* CmbGenre = nullptr;
    QCheckBox* chkAllGenre = nullptr;
    QCheckBox* chkNew = nullptr;
    QPushButton* cmdRun = nullptr;
    QComboBox* cmbFormat = nullptr;
    QComboBox* cmbStream = nullptr;
    QLineEdit* txtFormat = nullptr;
    QLineEdit* txtPlsSize = nullptr;
    QLineEdit* txtSearch = nullptr;
    // The status strip and its progress bar.
    QWidget* Picture1 = nullptr;
    ProgressBar* vp1 = nullptr;
    // Manual-testing controls, outside the visible part of the window.
    QLineEdit* txtProg = nullptr;
    StatusLineBox* txtStat = nullptr;
    QLineEdit* txturl = nullptr;
    QPushButton* cmdGO = nullptr;
    QListWidget* lstHeaders = nullptr;
    SourceTextBox* txtSource = nullptr;
    QPushButton* cmdScan = nullptr;

public slots:
    void cmdRun_Click();
    void cmdGO_Click();
    void cmdScan_Click();
    void cmdBrowse_Click();
    void cmdExplore_Click();
    void cmdAbout_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

public:
    // ScanHost
    QString cmdRunCaption() const override;
    void setCmdRunCaption(const QString& caption) override;
    QString cmbNumberText() const override;
    bool chk100Checked() const override;
    int cmbGenreIndex() const override;
    int cmbGenreCount() const override;
    QString cmbGenreItem(int index) const override;
    bool chkAllGenreChecked() const override;
    QString txtSearchText() const override;
    int cmbMinBitIndex() const override;
    void setCmbMinBitIndex(int index) override;
    QString cmbMinBitText() const override;
    int cmbMaxBitIndex() const override;
    QString cmbMaxBitText() const override;
    bool chkNewChecked() const override;
    bool chkOrderBitrateChecked() const override;
    QString cmbStreamText() const override;
    QString txtDLText() const override;
    QString txtPlsSizeText() const override;
    QString txtFormatText() const override;
    QString cmbFormatText() const override;
    QString txturlText() const override;
    void setTxturlText(const QString& text) override;
    QString txtProgText() const override;
    void setTxtProgText(const QString& text) override;
    QString txtStatText() const override;
    void setTxtStatText(const QString& text) override;
    void setTxtSourceText(const QString& text) override;
    void clearLstHeaders() override;
    void addLstHeadersItem(const QString& line) override;
    void setVp1Text(const QString& text) override;
    void setVp1Value(int value) override;
    void DoEvents() override;
    void showUnexpectedEvent(const QString& message) override;

private:
    // A run or a wait is under way: the buttons start nothing.
    bool busy() const;
    void createBanner();
    void createOptionsFrame();
    void createStatusStrip();
    void createManualTestingControls();
    // Accessible names, label buddies, the tab order and the keys the controls lack.
    void setUpAccess();
    void Form_Load();

    HarvestEngine m_engine{*this};
    ScanState& m_state = m_engine.state();
};
