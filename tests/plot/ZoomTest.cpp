// The zoom dialog: accepting, restoring and a bad text part-way through.
#include "WindowTestSupport.h"
#include "plot/ZoomEdt.h"
#include "store/Archivos.h"

#include <gtest/gtest.h>

TEST(ZoomDialog, AcceptPutsTheTypedLimitsInForce) {
    EXPECT_FALSE(Zoom->zoomActivo);
    EXPECT_EQ(Zoom->edXmin->text(), "300");
    Zoom->btZoom->click();
    EXPECT_TRUE(Zoom->zoomActivo);
    EXPECT_EQ(Zoom->xMaxZoom, 900);
    EXPECT_EQ(Zoom->xMinZoom, 300);
    EXPECT_EQ(Zoom->yMaxZoom, 100);
    EXPECT_EQ(Zoom->yMinZoom, 0);
    Zoom->showWindow();
    Zoom->btFin->click();
    EXPECT_FALSE(Zoom->isVisible());
    EXPECT_TRUE(Zoom->zoomActivo);
}

TEST(ZoomDialog, RestoreShowsTheStoreBoundsAndLeavesTheLimits) {
    Lee->store.xExpMax = 899.25;
    Lee->store.xExpMin = 300.5;
    Lee->store.yExpMax = 1e20;
    Lee->store.yExpMin = -2;
    Zoom->btZoom->click();
    Zoom->btRestaura->click();
    EXPECT_FALSE(Zoom->zoomActivo);
    EXPECT_EQ(Zoom->edXmax->text(), "899.25");
    EXPECT_EQ(Zoom->edXmin->text(), "300.5");
    EXPECT_EQ(Zoom->edYmax->text(), "1E20");
    EXPECT_EQ(Zoom->edYmin->text(), "-2");
    EXPECT_EQ(Zoom->xMaxZoom, 900);
}

TEST(ZoomDialog, BadTextKeepsTheLimitsConvertedBeforeIt) {
    testsupport::MessageCapture capture;
    Zoom->edXmax->setText("700");
    Zoom->edXmin->setText("400");
    Zoom->edYmax->setText("abc");
    Zoom->btZoom->click();
    EXPECT_EQ(capture.errors(), QStringList{"'abc' is not a valid floating point value"});
    EXPECT_EQ(Zoom->xMaxZoom, 700);
    EXPECT_EQ(Zoom->xMinZoom, 400);
    EXPECT_EQ(Zoom->yMaxZoom, 0);
    EXPECT_FALSE(Zoom->zoomActivo);
}
