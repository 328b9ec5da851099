// The options frame of the main window: restored from the program's stored properties, with
// the option controls on top of it.
#include "GFXFrameX.h"
#include "StoredProperties.h"
#include "frmMain.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

TEST(frmMainFrame, TheStoredPropertiesOfTheOptionsFrameAreInTheProgram) {
    const PropertyBag stored = StoredProperties(QStringLiteral("GFXFrameX1"));
    EXPECT_EQ(stored.values().size(), 4);
    EXPECT_TRUE(stored.contains(QStringLiteral("FrameStyle")));
    EXPECT_TRUE(StoredProperties(QStringLiteral("NoSuchControl")).values().isEmpty());
}

TEST(frmMainFrame, TheOptionsFrameIsRestoredAndPaintedBehindItsControls) {
    frmMain window;
    GFXFrameX* frame = window.GFXFrameX1;
    EXPECT_EQ(frame->FrameStyle(), 0);
    EXPECT_EQ(frame->FillColour(), RGBColour(240, 240, 246));
    EXPECT_EQ(frame->BackColour(), RGBColour(236, 237, 240));
    EXPECT_EQ(frame->BorderColour(), RGBColour(192, 192, 192));
    EXPECT_EQ(frame->BackColourIs(), 0);
    EXPECT_EQ(frame->ShadowDepth(), 5);
    EXPECT_EQ(frame->CornerDepth(), 10);

    // Painted at once, at 489 x 181 pixels, on the window's own background.
    ASSERT_EQ(frame->surface().width(), 489);
    ASSERT_EQ(frame->surface().height(), 181);
    EXPECT_EQ(frame->surface().GetPixel(488, 0), RGBColour(240, 240, 244));
    EXPECT_EQ(frame->surface().GetPixel(240, 90), RGBColour(240, 240, 246));
    EXPECT_EQ(frame->surface().GetPixel(240, 0), RGBColour(192, 192, 192));

    window.show();
    for (QWidget* control :
         std::initializer_list<QWidget*>{window.cmdRun, window.CmbGenre, window.txtDL}) {
        EXPECT_EQ(control->parentWidget(), frame);
        EXPECT_EQ(frame->childAt(control->geometry().center()), control);
    }
}

}  // namespace
