#include "frmAbout.h"

#include "LinkArtwork.h"
#include "MakerAddresses.h"
#include "Twips.h"
#include "Version.h"
#include "mBrowseFolder.h"

#include <QAccessibleWidget>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace {

const QColor kDarkGrey(0x40, 0x40, 0x40);
const QColor kPurple(0x80, 0x00, 0x80);

// Places a control by left, top, width and height in twips.
void Place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(TwipsRect(left, top, width, height));
}

void PaintWhite(QWidget* widget) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    widget->setPalette(palette);
}

QFont Tahoma(double points, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// What a screen reader is told of the link picture: a link, named by its address, that opens
// when pressed. (A picture label alone would be told as a graphic that does nothing.)
class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(QLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}
    static QAccessibleInterface* create(const QString&, QObject* object) {
        auto* about = object ? qobject_cast<frmAbout*>(object->parent()) : nullptr;
        return about && object == about->PicUrl ? new LinkAccessible(about->PicUrl) : nullptr;
    }
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << pressAction();
    }
    void doAction(const QString& actionName) override {
        if (actionName == pressAction())
            static_cast<frmAbout*>(object()->parent())->PicUrl_Click();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QLabel* GreyLabel(QWidget* parent, const QFont& font) {
    auto* label = new QLabel(parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kDarkGrey);
    label->setPalette(palette);
    return label;
}

}  // namespace

QString VersionLine(int major, int minor, int revision) {
    return QStringLiteral("Version: %1.%2.%3").arg(major).arg(minor).arg(revision);
}

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent), m_pointerSource([] { return QCursor::pos(); }) {
    setWindowTitle(QStringLiteral("About"));
    // Before the link is made: an interface, once asked for, stays with its control.
    static const bool linkAccessible = [] {
        QAccessible::installFactory(&LinkAccessible::create);
        return true;
    }();
    Q_UNUSED(linkAccessible);
    setFixedSize(PixelsFromTwipsValue(5355), PixelsFromTwipsValue(3060));
    PaintWhite(this);

    Picture1 = new QWidget(this);
    Place(Picture1, 240, 840, 4605, 1635);
    PaintWhite(Picture1);
    Image1 = new QLabel(Picture1);
    Place(Image1, 60, 60, 480, 480);
    Label1[0] = GreyLabel(Picture1, Tahoma(14.25, true));
    Place(Label1[0], 780, 120, 3765, 345);
    lblVersion = GreyLabel(Picture1, Tahoma(12, false));
    Place(lblVersion, 840, 600, 1305, 285);
    Label1[1] = GreyLabel(Picture1, Tahoma(12, false));
    Place(Label1[1], 780, 1080, 2790, 495);
    Label1[1]->setText(QStringLiteral("Station playlists"));

    PicUrl = new QLabel(this);
    Place(PicUrl, 840, 60, 3495, 675);
    PaintWhite(PicUrl);
    PicUrl->setCursor(Qt::PointingHandCursor);
    // Pointer moves reach the link without a button held, which is what lights it.
    PicUrl->setMouseTracking(true);
    PicUrl->installEventFilter(this);
    // The link is reached with Tab as well, opened with Enter or Space, and framed while it has
    // the focus.
    PicUrl->setFocusPolicy(Qt::StrongFocus);
    PicUrl->setAccessibleName(MakerAddressText());

    LblUrl = new QLabel(MakerAddressText(), PicUrl);
    Place(LblUrl, 3480, 60, 3795, 495);
    QFont verdana(QStringLiteral("Verdana"));
    verdana.setPointSize(18);
    verdana.setBold(true);
    LblUrl->setFont(verdana);
    QPalette purple = LblUrl->palette();
    purple.setColor(QPalette::WindowText, kPurple);
    LblUrl->setPalette(purple);
    LblUrl->setVisible(false);

    picUrlNormal = new QLabel(this);
    Place(picUrlNormal, 0, 3780, 3495, 675);
    picUrlNormal->setVisible(false);
    picUrlActive = new QLabel(this);
    Place(picUrlActive, 0, 4500, 3495, 675);
    picUrlActive->setVisible(false);

    Command1 = new QPushButton(QStringLiteral("&Close"), this);
    Place(Command1, 3960, 2580, 1215, 375);
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
    // Enter alone still closes the window; the link needs Tab first.
    Command1->setDefault(true);
    Command1->setFocus();

    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
}

frmAbout::~frmAbout() = default;

void frmAbout::setBuyUrl(const QString& vdata) {
    m_BuyUrl = vdata;
}

void frmAbout::setPointerSource(std::function<QPoint()> source) {
    m_pointerSource = std::move(source);
}

void frmAbout::showEvent(QShowEvent* event) {
    // Loaded once, when first shown, so that an address set by the caller beforehand stands.
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QDialog::showEvent(event);
}

void frmAbout::Form_Load() {
    Label1[0]->setText(QStringLiteral("Kestrelware Radiosift"));
    picUrlNormal->setPixmap(LinkArtwork::normalLink());
    picUrlActive->setPixmap(LinkArtwork::activeLink());
    PicUrl->setPixmap(picUrlNormal->pixmap());
    // The window carries the main window's icon (its own, or inherited from its parent).
    Image1->setPixmap(windowIcon().pixmap(Image1->size()));
    lblVersion->setText(
        VersionLine(RadiosiftVersion::Major, RadiosiftVersion::Minor, RadiosiftVersion::Revision));
    // The line grows to the right when the desktop's font is wider than the one it was laid out
    // for, so that no number is cut off.
    lblVersion->resize(std::max(lblVersion->width(), lblVersion->sizeHint().width()),
                       lblVersion->height());
    if (m_BuyUrl.isEmpty()) m_BuyUrl = MakerHomePage();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PicUrl) {
        if (event->type() == QEvent::KeyPress) {
            const auto* press = static_cast<QKeyEvent*>(event);
            const int key = press->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                if (!press->isAutoRepeat()) PicUrl_Click();  // a held key opens it once
                return true;
            }
        } else if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            PicUrl->setFrameShape(PicUrl->hasFocus() ? QFrame::Box : QFrame::NoFrame);
        } else if (event->type() == QEvent::MouseMove) {
            PicUrl_MouseMove();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            // A click: the left button let go over the link.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                PicUrl->rect().contains(mouse->position().toPoint())) {
                PicUrl_Click();
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::Command1_Click() {
    close();
}

void frmAbout::PicUrl_Click() {
    OpenLink();
}

void frmAbout::OpenLink() {
    ShellOpen(m_BuyUrl);
}

void frmAbout::PicUrl_MouseMove() {
    if (m_picUrlTag == QStringLiteral("1")) return;
    PicUrl->setPixmap(picUrlActive->pixmap());
    m_picUrlTag = QStringLiteral("1");
    Timer1->setInterval(100);
    Timer1->start();
}

void frmAbout::Timer1_Timer() {
    const QPoint pixels = PicUrl->mapFromGlobal(m_pointerSource());
    const int x = TwipsFromPixels(pixels.x());
    const int y = TwipsFromPixels(pixels.y());
    const int width = TwipsFromPixels(PicUrl->width());
    const int height = TwipsFromPixels(PicUrl->height());
    // The right and bottom edges themselves still count as over the link.
    if (x > width || x < 0 || y < 0 || y > height) {
        PicUrl->setPixmap(picUrlNormal->pixmap());
        m_picUrlTag.clear();
        Timer1->stop();
    }
}
