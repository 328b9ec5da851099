// frmAbout: the small modal window that names the program and its version, shows its icon and
// offers a picture link to the maker's web site that lights up while the pointer is over it.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>
#include <array>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

// The version line: "Version: " and the three numbers, dot-separated.
QString VersionLine(int major, int minor, int revision);

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

    // The address the link opens. Set it before the window shows; left empty, the link opens
    // the maker's home page.
    void setBuyUrl(const QString& vdata);

    // Where the hover timer reads the pointer's screen position (the real cursor by default).
    void setPointerSource(std::function<QPoint()> source);

    // "1" while the link shows its active picture, empty otherwise.
    const QString& PicUrlTag() const { return m_picUrlTag; }

    // The panel and what it holds.
    QWidget* Picture1 = nullptr;
    QLabel* Image1 = nullptr;
    // Label1 is a group: element 0 the title, element 1 the line below the version.
    std::array<QLabel*, 2> Label1{};
    QLabel* lblVersion = nullptr;
    // The link, its address as text (never shown) and the holders of its two pictures.
    QLabel* PicUrl = nullptr;
    QLabel* LblUrl = nullptr;
    QLabel* picUrlNormal = nullptr;
    QLabel* picUrlActive = nullptr;
    QPushButton* Command1 = nullptr;
    // Polls the pointer while the link is lit: the link hears of no pointer leaving it.
    QTimer* Timer1 = nullptr;

public slots:
    void Command1_Click();
    void PicUrl_Click();
    void PicUrl_MouseMove();
    void Timer1_Timer();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void OpenLink();

    QString m_BuyUrl;
    QString m_picUrlTag;
    bool m_loaded = false;
    std::function<QPoint()> m_pointerSource;
};
