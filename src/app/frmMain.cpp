#include "frmMain.h"

#include "Artwork.h"
#include "FolderButtons.h"
#include "GFXFrameX.h"
#include "HttpRequest.h"
#include "ListAccessible.h"
#include "MakerAddresses.h"
#include "PendingEvents.h"
#include "ProgressBar.h"
#include "RunChoices.h"
#include "RunInputsPrompt.h"
#include "SourceTextBox.h"
#include "StatusLineBox.h"
#include "StoredProperties.h"
#include "Twips.h"
#include "UserAgent.h"
#include "WindowKeys.h"
#include "frmAbout.h"

#include <QAccessible>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <utility>

namespace {

const QColor kWindowColour(240, 240, 244);
const QColor kFrameFill(240, 240, 246);
// Text drawn straight on the frame's fixed fill: dark whatever the desktop's colours are.
const QColor kFrameText(0, 0, 0);

// The public page the request object is opened on at start-up (never sent).
const QString kStartUpAddress = QStringLiteral("http://www.example.com/");

QFont ArialSmall() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    return font;
}

void Place(QWidget* widget, const QRect& geometry) { widget->setGeometry(geometry); }

// The font made smaller, a quarter point at a time, until the text fits the width: the desktop's
// stand-in for a font the program names may run wider than that font.
QFont FittingFont(QFont font, const QString& text, int width) {
    while (QFontMetrics(font).horizontalAdvance(text) > width && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    return font;
}

}  // namespace

frmMain::frmMain(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Radiosift"));
    // Lists are told by their names too, with the chosen entry as their value. Installed before
    // the first list is made: an interface, once asked for, stays with its control.
    static const bool namedLists = [] {
        QAccessible::installFactory(&ListAccessible::create);
        return true;
    }();
    Q_UNUSED(namedLists);
    HttpRequest::setUserAgent(ProgramUserAgent());
    setWindowIcon(Artwork::programIcon());
    setFixedSize(TwipsRect(0, 0, 7575, 4485).size());
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kWindowColour);
    setPalette(palette);
    // One font for every control: the window's size is fixed, so its text must not grow with
    // the desktop's font.
    setFont(ArialSmall());

    createBanner();
    createOptionsFrame();
    createStatusStrip();
    createManualTestingControls();
    setUpAccess();
    // While a request or a look-up waits, every event of the window runs: it repaints, Close
    // ends the program and Stop gives up the wait at once. What a click may start from there is
    // turned away by the wait itself (one at a time) and by the guards of the buttons below.
    PendingEvents::setWaitCheck([this] { return !m_state.stopAsked(); });

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::createBanner() {
    Image2 = new QLabel(this);
    Place(Image2, TwipsRect(0, 0, 7620, 1215));
    Image2->setScaledContents(true);
    Image2->setPixmap(Artwork::bannerPixmap(Image2->size(), devicePixelRatioF()));

    Image1 = new QLabel(this);
    Place(Image1, TwipsRect(120, 120, 960, 960));
    Image1->setPixmap(Artwork::logoPixmap(Image1->width(), devicePixelRatioF()));

    QPalette white = palette();
    white.setColor(QPalette::WindowText, Qt::white);
    Label1[3] = new QLabel(QStringLiteral("Kestrelware - Radiosift"), this);
    Place(Label1[3], TwipsRect(1440, 240, 4815, 375));
    QFont title(QStringLiteral("Tahoma"));
    title.setPointSize(12);
    title.setBold(true);
    Label1[3]->setFont(title);
    Label1[3]->setPalette(white);

    Label3 = new QLabel(QStringLiteral("Download Internet Radio Stations as PLS, ASX or M3U files"), this);
    Place(Label3, TwipsRect(1440, 600, 4335, 255));
    Label3->setPalette(white);
    Label3->setFont(FittingFont(ArialSmall(), Label3->text(), Label3->width()));
}

void frmMain::createOptionsFrame() {
    GFXFrameX1 = new GFXFrameX(this);
    Place(GFXFrameX1, TwipsRect(120, 1320, 7335, 2715));
    GFXFrameX1->ReadProperties(StoredProperties(QStringLiteral("GFXFrameX1")));
    QWidget* frame = GFXFrameX1;
    // Labels and check boxes stand on the frame's fill, so their text takes a colour for that
    // fill; the edit boxes, lists and buttons draw their own backgrounds in the desktop's colours.
    const auto onFill = [](QWidget* widget) {
        QPalette colours = widget->palette();
        colours.setColor(QPalette::Window, kFrameFill);
        colours.setColor(QPalette::WindowText, kFrameText);
        widget->setPalette(colours);
    };
    const auto label = [&](int element, const QString& caption, const QRect& geometry) {
        Label1[element] = new QLabel(caption, frame);
        Place(Label1[element], geometry);
        onFill(Label1[element]);
        Label1[element]->setFont(FittingFont(font(), caption, geometry.width()));
    };
    const auto checkBox = [&](const QString& caption, const QRect& geometry) {
        auto* box = new QCheckBox(caption, frame);
        Place(box, geometry);
        box->setAutoFillBackground(true);
        box->setBackgroundRole(QPalette::Window);  // a button's own would be Button
        onFill(box);
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        box->setFont(FittingFont(font(), caption, room.width()));
        return box;
    };
    const auto lineEdit = [&](const QRect& geometry, const QString& toolTip) {
        auto* edit = new QLineEdit(frame);
        Place(edit, geometry);
        edit->setToolTip(toolTip);
        return edit;
    };
    const auto dropDown = [&](const QRect& geometry, const QString& toolTip) {
        auto* list = new QComboBox(frame);  // a fixed list: not editable
        Place(list, geometry);
        list->setToolTip(toolTip);
        return list;
    };
    const auto button = [&](const QString& caption, const QRect& geometry, const QString& toolTip) {
        auto* push = new QPushButton(caption, frame);
        Place(push, geometry);
        push->setToolTip(toolTip);
        return push;
    };

    label(2, QStringLiteral("Download Path"), TwipsRect(120, 120, 1095, 255));
    txtDL = lineEdit(TwipsRect(120, 360, 2775, 315),
                     QStringLiteral("Specify a full path or use %APPPATH%, %MYDOC%, %APPDATA%,  %TEMP% "));
    cmdBrowse = button(QStringLiteral("..."), TwipsRect(2940, 360, 315, 315), QStringLiteral("Browse"));
    cmdExplore = button(QStringLiteral(">"), TwipsRect(3240, 360, 315, 315), QStringLiteral("Explore"));
    label(0, QStringLiteral("Min BitRate"), TwipsRect(3600, 120, 1095, 255));
    cmbMinBit = dropDown(TwipsRect(3600, 360, 1215, 315), QString());
    label(1, QStringLiteral("Max BitRate"), TwipsRect(4920, 120, 1095, 255));
    cmbMaxBit = dropDown(TwipsRect(4920, 360, 1215, 315), QString());
    cmdAbout = button(QStringLiteral("?"), TwipsRect(6660, 300, 435, 375), QString());
    label(4, QStringLiteral("Number of Stations pr Genre"), TwipsRect(120, 780, 2175, 255));
    chk100 = checkBox(QStringLiteral("Fast Scan"), TwipsRect(3600, 840, 1575, 255));
    chk100->setChecked(RunChoices::kDefaultFastScan);
    chkOrderBitrate = checkBox(QStringLiteral("Order by max bitrate"), TwipsRect(5340, 840, 1875, 255));
    chkOrderBitrate->setChecked(true);
    CmbNumber = dropDown(TwipsRect(120, 1020, 975, 315), QString());
    CmbGenre = dropDown(TwipsRect(1200, 1020, 2295, 315), QString());
    chkAllGenre = checkBox(QStringLiteral("Scan All Genre's"), TwipsRect(3600, 1140, 1695, 255));
    chkNew = checkBox(QStringLiteral("New server"), TwipsRect(5340, 1140, 1635, 255));
    chkNew->setVisible(false);
    cmdRun = button(QStringLiteral("&Run"), TwipsRect(5940, 1460, 1215, 375), QString());
    label(5, QStringLiteral("Format"), TwipsRect(180, 1560, 615, 255));
    cmbFormat = dropDown(TwipsRect(1200, 1500, 2295, 315), QStringLiteral("Playlist format saved"));
    cmbStream = dropDown(TwipsRect(3540, 1500, 2355, 315), QStringLiteral("Stream Type search"));
    label(8, QStringLiteral("File Name"), TwipsRect(180, 1920, 915, 255));
    txtFormat = lineEdit(TwipsRect(1200, 1920, 5955, 285),
                         QStringLiteral("Make pls filenames using %STATION%, %BITRATE%, %RN%, "
                                        "%GENRE%, %STREAM%, %FORMAT%"));
    txtFormat->setText(RunChoices::kDefaultTemplate);
    label(6, QStringLiteral("Max length"), TwipsRect(180, 2280, 855, 255));
    txtPlsSize = lineEdit(TwipsRect(1200, 2280, 735, 285), QStringLiteral("Max Size of Station Name"));
    label(7, QStringLiteral("Search"), TwipsRect(2700, 2280, 735, 255));
    txtSearch = lineEdit(TwipsRect(3540, 2280, 3615, 285),
                         QStringLiteral("Search for partial Station description (e.g 50s and 60s)"));

    connect(cmdRun, &QPushButton::clicked, this, &frmMain::cmdRun_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmMain::cmdBrowse_Click);
    connect(cmdExplore, &QPushButton::clicked, this, &frmMain::cmdExplore_Click);
    connect(cmdAbout, &QPushButton::clicked, this, &frmMain::cmdAbout_Click);
}

void frmMain::createStatusStrip() {
    Picture1 = new QWidget(this);
    Place(Picture1, TwipsRect(0, 4080, 7575, 375));
    Picture1->setAutoFillBackground(true);
    QPalette strip = Picture1->palette();
    strip.setColor(QPalette::Window, kWindowColour);
    Picture1->setPalette(strip);
    vp1 = new ProgressBar(Picture1);
    vp1->setObjectName(QStringLiteral("vp1"));
    Place(vp1, TwipsRect(120, 60, 7335, 255));
    vp1->ReadProperties(StoredProperties(QStringLiteral("vp1")));
}

void frmMain::createManualTestingControls() {
    // They live in a window of their own that is never shown: a screen reader does not list
    // hidden children of a window, and their buttons' access keys never reach this one.
    auto* hidden = new QWidget(this, Qt::Window);
    hidden->setObjectName(QStringLiteral("manualTesting"));
    chkNew->setParent(hidden);  // never shown either, so nothing to read
    txtProg = new QLineEdit(hidden);
    Place(txtProg, TwipsRect(30, 4860, 7475, 285));
    txtStat = new StatusLineBox(hidden);
    Place(txtStat, TwipsRect(7800, 480, 7335, 285));
    txturl = new QLineEdit(QStringLiteral("http://"), hidden);
    Place(txturl, TwipsRect(7800, 120, 6435, 285));
    cmdGO = new QPushButton(QStringLiteral("GO"), hidden);
    Place(cmdGO, TwipsRect(14400, 120, 675, 315));
    lstHeaders = new QListWidget(hidden);
    Place(lstHeaders, TwipsRect(7800, 840, 7275, 1620));
    txtSource = new SourceTextBox(hidden);
    Place(txtSource, TwipsRect(7800, 2520, 7275, 1755));
    txtSource->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    cmdScan = new QPushButton(QStringLiteral("&Scan"), hidden);
    Place(cmdScan, TwipsRect(7860, 4500, 1215, 375));

    connect(cmdGO, &QPushButton::clicked, this, &frmMain::cmdGO_Click);
    connect(cmdScan, &QPushButton::clicked, this, &frmMain::cmdScan_Click);

    // Beyond the visible area is not enough: there they would still take the focus on Tab,
    // fire on Space, and "&Scan" would take Alt+S from "&Stop". Hidden, they keep what the
    // fetch and the run write into them, and a hidden button's access key does nothing.
    for (QWidget* control : std::initializer_list<QWidget*>{txtProg, txtStat, txturl, cmdGO,
                                                            lstHeaders, txtSource, cmdScan}) {
        control->setFocusPolicy(Qt::NoFocus);
        control->hide();
    }
}

void frmMain::setUpAccess() {
    // An edit box or list is named after the label above or beside it, or after what it
    // chooses where it has none; a button whose caption is a sign, after what it does.
    const std::pair<QWidget*, const char*> names[] = {
        {txtDL, "Download Path"},
        {cmdBrowse, "Browse"},
        {cmdExplore, "Explore"},
        {cmbMinBit, "Min BitRate"},
        {cmbMaxBit, "Max BitRate"},
        {cmdAbout, "About"},
        {CmbNumber, "Number of Stations pr Genre"},
        {CmbGenre, "Genre"},
        {cmbFormat, "Format"},
        {cmbStream, "Stream Type"},
        {txtFormat, "File Name"},
        {txtPlsSize, "Max length"},
        {txtSearch, "Search"},
    };
    for (const auto& [control, name] : names) control->setAccessibleName(QLatin1String(name));
    const std::pair<int, QWidget*> buddies[] = {{2, txtDL},      {0, cmbMinBit}, {1, cmbMaxBit},
                                                {4, CmbNumber},  {5, cmbFormat}, {8, txtFormat},
                                                {6, txtPlsSize}, {7, txtSearch}};
    for (const auto& [element, control] : buddies) Label1[element]->setBuddy(control);

    // Tab walks the window row by row, each row from left to right.
    QWidget* const order[] = {txtDL,       cmdBrowse, cmdExplore, cmbMinBit, cmbMaxBit,
                              cmdAbout,    CmbNumber, CmbGenre,   chk100,    chkOrderBitrate,
                              chkAllGenre, cmbFormat, cmbStream,  cmdRun,    txtFormat,
                              txtPlsSize,  txtSearch};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    (new WindowKeys(this))->watch(this);
    // Enter in the search box searches: with a text, on the genre "Search"; with none, the
    // genre chosen. It starts a run as Run would, and never stops one.
    connect(txtSearch, &QLineEdit::returnPressed, this, [this] {
        if (runInProgress()) return;
        if (!txtSearch->text().trimmed().isEmpty())
            CmbGenre->setCurrentIndex(CmbGenre->findText(QStringLiteral("Search")));
        cmdRun->click();
    });
}

void frmMain::Form_Load() {
    m_state.StationCount = 0;
    cmbMinBit->addItems(RunChoices::kBitrates);
    cmbMinBit->setCurrentIndex(RunChoices::kDefaultMinBitrateIndex);
    cmbMaxBit->addItems(RunChoices::kBitrates);
    cmbMaxBit->setCurrentIndex(0);
    CmbGenre->addItems(RunChoices::kGenres);
    CmbNumber->addItems(RunChoices::kStationCounts);
    txtPlsSize->setText(QString::number(RunChoices::kDefaultNameLimit));
    CmbGenre->setCurrentIndex(0);
    CmbNumber->setCurrentIndex(0);
    chkOrderBitrate->setChecked(false);
    chkAllGenre->setChecked(false);
    chkNew->setChecked(false);
    cmbFormat->addItems(RunChoices::kFormats);
    cmbFormat->setCurrentIndex(0);
    cmbStream->addItems(RunChoices::kStreams);
    cmbStream->setCurrentIndex(0);
    txtDL->setText(RunChoices::defaultDownloadPath());
    m_state.m_Genre = QStringLiteral("TopTen");
    vp1->setText(QStringLiteral("Ready"));
    vp1->setValue(100);
    m_state.m_Http = std::make_shared<HttpRequest>();
    m_state.m_Http->open(QStringLiteral("GET"), kStartUpAddress);
}

bool frmMain::busy() const {
    return runInProgress() || PendingEvents::Wait::underWay();
}

// Stop is taken at any time; nothing is started from within a run or a wait, nor with a typed
// option that no run could use (it is named before anything is asked or written).
void frmMain::cmdRun_Click() {
    if (!runInProgress() &&
        (PendingEvents::Wait::underWay() || !AcceptRunInputs(this, txtDL, txtFormat, txtPlsSize)))
        return;
    m_engine.driver().cmdRun_Click();
}
void frmMain::cmdGO_Click() {
    if (!busy()) m_engine.fetcher().cmdGO_Click();
}
void frmMain::cmdScan_Click() {
    if (!busy()) m_engine.parser().ParseClassicPage(25);
}
// The picker and the About window are modal to this window but run no loop of their own: a run
// under way goes on behind them, and its waits end as they would without them.
void frmMain::cmdBrowse_Click() {
    BrowseDownloadFolder(this, txtDL->text(),
                         [this](const QString& chosen) { txtDL->setText(chosen); });
}

// The status line says why nothing opened, whenever the desktop answers (unless the window is
// gone by then); a folder that did open needs no word.
void frmMain::cmdExplore_Click() {
    const QPointer<ProgressBar> bar = vp1;
    ExploreDownloadFolder(txtDL->text(), [bar](const QString& trouble) {
        if (bar) bar->setText(trouble);
    });
}

void frmMain::cmdAbout_Click() {
    // A new window for each press, released as soon as it is closed.
    auto* about = new frmAbout(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setWindowIcon(windowIcon());
    about->setBuyUrl(MakerProductPage());
    about->open();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (busy()) {
        // A close during a run or a wait is seen at a point where the run lets events run, or
        // while a request or a look-up waits: no playlist file is open at either, so the program
        // can end at once without finishing the run or the wait.
        std::fflush(nullptr);
        std::_Exit(0);
    }
    event->accept();
}

QString frmMain::cmdRunCaption() const { return cmdRun->text(); }
void frmMain::setCmdRunCaption(const QString& caption) { cmdRun->setText(caption); }
QString frmMain::cmbNumberText() const { return CmbNumber->currentText(); }
bool frmMain::chk100Checked() const { return chk100->isChecked(); }
int frmMain::cmbGenreIndex() const { return CmbGenre->currentIndex(); }
int frmMain::cmbGenreCount() const { return CmbGenre->count(); }
QString frmMain::cmbGenreItem(int index) const { return CmbGenre->itemText(index); }
bool frmMain::chkAllGenreChecked() const { return chkAllGenre->isChecked(); }
QString frmMain::txtSearchText() const { return txtSearch->text(); }
int frmMain::cmbMinBitIndex() const { return cmbMinBit->currentIndex(); }
void frmMain::setCmbMinBitIndex(int index) { cmbMinBit->setCurrentIndex(index); }
QString frmMain::cmbMinBitText() const { return cmbMinBit->currentText(); }
int frmMain::cmbMaxBitIndex() const { return cmbMaxBit->currentIndex(); }
QString frmMain::cmbMaxBitText() const { return cmbMaxBit->currentText(); }
bool frmMain::chkNewChecked() const { return chkNew->isChecked(); }
bool frmMain::chkOrderBitrateChecked() const { return chkOrderBitrate->isChecked(); }
QString frmMain::cmbStreamText() const { return cmbStream->currentText(); }
QString frmMain::txtDLText() const { return txtDL->text(); }
QString frmMain::txtPlsSizeText() const { return txtPlsSize->text(); }
QString frmMain::txtFormatText() const { return txtFormat->text(); }
QString frmMain::cmbFormatText() const { return cmbFormat->currentText(); }
QString frmMain::txturlText() const { return txturl->text(); }
void frmMain::setTxturlText(const QString& text) { txturl->setText(text); }
QString frmMain::txtProgText() const { return txtProg->text(); }
void frmMain::setTxtProgText(const QString& text) { txtProg->setText(text); }
QString frmMain::txtStatText() const { return txtStat->text(); }
void frmMain::setTxtStatText(const QString& text) { txtStat->setText(text); }
void frmMain::setTxtSourceText(const QString& text) { txtSource->setPlainText(text); }
void frmMain::clearLstHeaders() { lstHeaders->clear(); }
void frmMain::addLstHeadersItem(const QString& line) { lstHeaders->addItem(line); }
void frmMain::setVp1Text(const QString& text) { vp1->setText(text); }
void frmMain::setVp1Value(int value) { vp1->setValue(value); }
void frmMain::DoEvents() { PendingEvents::DoEvents(); }

void frmMain::showUnexpectedEvent(const QString& message) {
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), message,
                    QMessageBox::Ok, this);
    box.exec();
}
