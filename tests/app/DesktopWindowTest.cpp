// The main window on a desktop unlike the one it was drawn for: two device pixels to the
// logical pixel, dark colours, a large font, the keyboard alone and a screen reader.
#include "GFXFrameX.h"
#include "ProgressBar.h"
#include "WindowRun.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

namespace {

// Read by the application the test main makes, after static initialisation.
const bool kScaled = qputenv("QT_SCALE_FACTOR", "2");

// The contrast (WCAG) of the pixel that stands out most from the fill at the area's corner.
double TextContrast(const QImage& shot, const QRect& area) {
    const auto luminance = [](QRgb c) {
        const auto linear = [](int v) {
            return v <= 10 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
    };
    const double fill = luminance(shot.pixel(area.topLeft()));
    double most = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const double text = luminance(shot.pixel(x, y));
            most = std::max(most, (std::max(fill, text) + 0.05) / (std::min(fill, text) + 0.05));
        }
    return most;
}

TEST(DesktopWindow, DarkColoursAndALargeFontLeaveTheFramesTextReadableAndUnclipped) {
    ASSERT_TRUE(kScaled);
    const QPalette palette = QApplication::palette();
    const QFont font = QApplication::font();
    QApplication::setPalette(QPalette(QColor(40, 40, 44)));  // light text on dark grey and black
    QApplication::setFont(QFont(font.family(), 16));
    frmMain window;
    window.show();
    const QImage shot = window.grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    for (QWidget* control : window.GFXFrameX1->findChildren<QWidget*>()) {
        QRect text = control->rect();
        QString caption;
        if (auto* label = qobject_cast<QLabel*>(control)) caption = label->text();
        // An edit box is measured whole, as a label is.
        if (auto* edit = qobject_cast<QLineEdit*>(control)) caption = edit->text();
        if (auto* box = qobject_cast<QCheckBox*>(control)) {
            QStyleOptionButton option;
            option.initFrom(box);
            text = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
            caption = box->text();
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            text = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                 QStyle::SC_ComboBoxEditField, list);
            caption = list->currentText();
        }
        if (caption.isEmpty() || !control->isVisible()) continue;
        const QFontMetrics metrics = control->fontMetrics();
        EXPECT_LE(metrics.height(), text.height()) << caption.toStdString();
        EXPECT_LE(metrics.horizontalAdvance(caption), text.width()) << caption.toStdString();
        if (qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control)) {
            const QRect onShot(control->mapTo(&window, text.topLeft()) * ratio,
                               text.size() * ratio);
            EXPECT_GE(TextContrast(shot, onShot), 4.5) << caption.toStdString();
        }
    }
    QApplication::setPalette(palette);
    QApplication::setFont(font);
}

using DesktopWindowRun = WindowTest;

// One window shown: its self-drawn parts at two device pixels to the logical pixel, what a screen
// reader hears of it, and the keyboard alone driving it.
TEST_F(DesktopWindowRun, DeviceResolutionScreenReaderAndKeys) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // Shapes keep their logical pixels, each a 2 x 2 block; the caption alone is finer than that.
    ASSERT_EQ(window.devicePixelRatioF(), 2.0);
    const Surface& frame = window.GFXFrameX1->surface();
    EXPECT_EQ(frame.deviceImage(), frame.image().scaled(frame.image().size() * 2));
    EXPECT_EQ(frame.GetPixel(240, 90), RGBColour(240, 240, 246));  // the logical picture stays
    const QImage shown = window.vp1->surface().deviceImage();
    ASSERT_EQ(shown.size(), window.vp1->size() * 2);
    EXPECT_NE(shown, shown.scaled(shown.size() / 2).scaled(shown.size()));  // not all blocks

    // A screen reader hears every control by its name, and its value: a list's chosen entry, an
    // edit box's text, the bar's caption.
    frmMain& w = window;
    const std::tuple<QWidget*, QAccessible::Role, QString, QString> controls[] = {
        {w.txtDL, QAccessible::EditableText, "Download Path", w.txtDL->text()},
        {w.cmbMaxBit, QAccessible::ComboBox, "Max BitRate", ""},
        {w.cmdAbout, QAccessible::Button, "About", ""},
        {w.CmbGenre, QAccessible::ComboBox, "Genre", "TopTen"},
        {w.cmbStream, QAccessible::ComboBox, "Stream Type", "MP3"},
        {w.txtSearch, QAccessible::EditableText, "Search", ""},
        {w.vp1, QAccessible::ProgressBar, "Ready", "Ready"}};
    for (const auto& [control, role, name, value] : controls) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
        EXPECT_EQ(
            std::tuple(face->role(), face->text(QAccessible::Name), face->text(QAccessible::Value)),
            std::tuple(role, name, value));
    }
    std::vector<QAccessibleInterface*> open{QAccessible::queryAccessibleInterface(&w)};
    QSet<QObject*> listed;
    while (!open.empty()) {
        QAccessibleInterface* face = open.back();
        open.pop_back();
        listed.insert(face->object());
        for (int i = 0; i < face->childCount(); ++i) open.push_back(face->child(i));
    }
    EXPECT_TRUE(listed.contains(w.cmdRun) && listed.contains(w.vp1));
    for (QObject* hidden : {(QObject*)w.txtProg, (QObject*)w.txturl, (QObject*)w.cmdGO,
                            (QObject*)w.cmdScan, (QObject*)w.chkNew})
        EXPECT_FALSE(listed.contains(hidden));

    // What a screen reader reads when told of a change (Qt tells only an active one).
    w.setVp1Text(QStringLiteral("No Connection!"));
    w.setVp1Value(40);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w.vp1);
    const QAccessibleValueInterface* value = face->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(face->text(QAccessible::Name), "No Connection!");
    EXPECT_EQ(QVariantList({value->minimumValue(), value->currentValue(), value->maximumValue()}),
              QVariantList({0, 40, 100}));

    // Alt with a letter types nothing. (Alt+R from start-up: the installed program's test.)
    const QString path = window.txtDL->text();
    for (QWidget* box : {(QWidget*)window.txtDL, (QWidget*)window.CmbGenre})
        for (const Qt::Key key : {Qt::Key_D, Qt::Key_X}) QTest::keyClick(box, key, Qt::AltModifier);
    EXPECT_EQ(std::pair(window.txtDL->text(), window.CmbGenre->currentIndex()), std::pair(path, 0));

    // Tab reaches every control of the frame once, row by row: the next control either sits
    // beside the last one, to its right, or starts below it, so none comes twice. Then it comes
    // round to the first again, past none of the hidden controls.
    QList<QWidget*> tabbable;
    for (QWidget* control : window.GFXFrameX1->findChildren<QWidget*>())
        if (control->isVisible() && (control->focusPolicy() & Qt::TabFocus))
            tabbable.append(control);
    window.txtDL->setFocus();
    for (qsizetype i = 1; i < tabbable.size(); ++i) {
        const QRect last = QApplication::focusWidget()->geometry();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QRect next = QApplication::focusWidget()->geometry();
        EXPECT_TRUE(tabbable.contains(QApplication::focusWidget()) &&
                    (next.top() > last.bottom() ||
                     (next.bottom() >= last.top() && next.left() > last.left())))
            << i;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.txtDL);

    // Enter or keypad Enter on Run, and Enter in the search box, each start a run: with a text
    // in the box, the search.
    const std::tuple<QWidget*, Qt::Key, Qt::KeyboardModifier, QString> enters[] = {
        {window.cmdRun, Qt::Key_Return, Qt::NoModifier, ""},
        {window.cmdRun, Qt::Key_Enter, Qt::KeypadModifier, ""},
        {window.txtSearch, Qt::Key_Enter, Qt::KeypadModifier, ""},
        {window.txtSearch, Qt::Key_Return, Qt::NoModifier, "jazz"}};
    for (const auto& [control, key, modifier, search] : enters) {
        const qsizetype before = pageQueries().size();
        window.setVp1Text(QString());
        window.txtSearch->setText(search);
        control->setFocus();
        QTest::keyClick(control, key, modifier);
        EXPECT_EQ(window.vp1->Text(), "Done");
        ASSERT_GT(pageQueries().size(), before);
        EXPECT_EQ(pageQueries().last().endsWith("&s=jazz"), !search.isEmpty());
        EXPECT_EQ(window.CmbGenre->currentText(), search.isEmpty() ? "TopTen" : "Search");
    }

    // A list opens its entries when pressed (last: the open list takes the window's keys).
    QAccessible::queryAccessibleInterface(w.CmbGenre)->actionInterface()->doAction("Press");
    EXPECT_TRUE(w.CmbGenre->view()->isVisible());
}

}  // namespace
