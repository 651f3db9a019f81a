// The window layer: retained image, canvas primitives, list box, dialogs, guard and mouse routing.
#include "WindowTestSupport.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Guard.h"
#include "platform/ListBox.h"
#include "platform/NameLabel.h"
#include "platform/OpenDialog.h"
#include "platform/Text.h"
#include "textio/AppError.h"
#include "textio/TextReader.h"

#include <QApplication>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace platform;

namespace {

class ProbeForm : public Form {
public:
    ProbeForm() : Form("probe", "Probe", 400, 300) {}
    std::vector<MouseState> presses;
    int clicks = 0;

protected:
    void clientMouseDown(const MouseState& s) override { presses.push_back(s); }
    void clientClicked() override { ++clicks; }
};

// Lets a list take its new lines: a long list is laid out in batches, one per pass of the loop.
void settle() {
    for (int pass = 0; pass < 100; ++pass)
        QApplication::processEvents();
}

QRgb pixel(Form& f, int x, int y) {
    return f.canvasImage().pixel(x, y) & 0xFFFFFF;
}

} // namespace

TEST(Form, CanvasDrawsIntoTheRetainedImage) {
    ProbeForm form;
    Canvas& c = form.canvas();
    c.setBrushColor(0xFFFFFF);
    c.setPenColor(0x000000);
    c.rectangle(10, 10, 110, 60);
    c.setPenColor(0x0000FF);
    c.moveTo(20, 30);
    c.lineTo(100, 30);
    c.setPixel(5, 5, 0xFF0000);
    c.setPixel(-1, 100000, 0xFF0000);           // outside: ignored
    EXPECT_EQ(pixel(form, 10, 10), 0x000000u);  // outline
    EXPECT_EQ(pixel(form, 109, 59), 0x000000u); // right and bottom edges exclusive
    EXPECT_NE(pixel(form, 110, 60), 0x000000u);
    EXPECT_EQ(pixel(form, 50, 50), 0xFFFFFFu); // filled
    EXPECT_EQ(pixel(form, 60, 30), 0x0000FFu);
    EXPECT_EQ(pixel(form, 5, 5), 0xFF0000u);
    EXPECT_EQ(c.penPos(), QPoint(100, 30));
    EXPECT_EQ(form.canvasImage().size(), form.clientArea()->size());
}

TEST(Form, TextHasItsTopLeftCornerAtThePoint) {
    ProbeForm form;
    Canvas& c = form.canvas();
    c.setBrushColor(0xFFFFFF);
    c.textOut(50, 40, "888");
    QImage img = form.canvasImage();
    int darkestRow = -1;
    for (int y = 30; y < 80 && darkestRow < 0; ++y)
        for (int x = 50; x < 80; ++x)
            if (qGray(img.pixel(x, y)) < 100) {
                darkestRow = y;
                break;
            }
    EXPECT_GE(darkestRow, 40);
    EXPECT_LT(darkestRow, 52);
    for (int y = 30; y < 80; ++y)
        EXPECT_GT(qGray(img.pixel(48, y)), 100) << y; // nothing left of the point
}

TEST(Form, PictureSurvivesAResize) {
    ProbeForm form;
    form.canvas().setPixel(300, 200, 0x00FF00);
    form.resize(200, 150);
    form.resize(500, 400);
    EXPECT_EQ(pixel(form, 300, 200), 0x00FF00u);
    EXPECT_EQ(form.canvasImage().size(), form.clientArea()->size());
}

TEST(Form, RecordingCanvasRecordsAndForwards) {
    ProbeForm form;
    RecordingCanvas rec(&form.canvas());
    form.setCanvas(&rec);
    form.canvas().moveTo(1, 2);
    form.canvas().lineTo(30, 2);
    form.canvas().textOut(4, 5, "a");
    form.setCanvas(nullptr);
    ASSERT_EQ(rec.calls().size(), 3u);
    EXPECT_EQ(rec.calls()[1], (CanvasCall{"lineTo", {1, 2, 30, 2}, {}}));
    EXPECT_EQ(rec.callsOf("textOut").front().text, "a");
    EXPECT_EQ(pixel(form, 15, 2), 0x000000u);
}

TEST(Form, PixelBlocksSetWhatSetPixelWouldAndNoMore) {
    // A 3 x 2 block hanging over the top-left corner, with one pixel left as it is.
    const std::vector<Rgb> block{0x010203, 0x040506, 0xFF000000u, 0x0A0B0C, 0x0D0E0F, 0x101112};
    ProbeForm form;
    form.canvas().setPixel(1, 0, 0x00FF00);
    form.canvas().setPixels(-1, -1, 3, 2, block);
    EXPECT_EQ(pixel(form, 0, 0), 0x0D0E0Fu);
    EXPECT_EQ(pixel(form, 1, 0), 0x101112u);
    QRgb before = pixel(form, 7, 5);
    form.canvas().setPixels(5, 5, 3, 2, block);
    EXPECT_EQ(pixel(form, 5, 5), 0x010203u);
    EXPECT_EQ(pixel(form, 7, 5), before);
    EXPECT_EQ(pixel(form, 7, 6), 0x101112u);
    int w = form.clientArea()->width();
    form.canvas().setPixels(w - 1, 20, 3, 2, block); // only the first column lands
    EXPECT_EQ(pixel(form, w - 1, 21), 0x0A0B0Cu);
    form.canvas().setPixels(0, 0, 3, 3, block); // fewer colours than the block: nothing
    EXPECT_EQ(pixel(form, 0, 0), 0x0D0E0Fu);

    // Through a recording canvas the block is the setPixel calls it stands for.
    RecordingCanvas rec;
    rec.setPixels(5, 5, 3, 2, block);
    auto calls = rec.callsOf("setPixel");
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].args, (std::vector<int>{5, 5, 0x010203}));
    EXPECT_EQ(calls[2].args, (std::vector<int>{5, 6, 0x0A0B0C}));
    rec.clear();
    rec.setPixels(0, 0, 3, 3, block);
    EXPECT_TRUE(rec.calls().empty());
}

TEST(Form, MousePressesAndClicksReachTheHooks) {
    ProbeForm form;
    auto* button = new QPushButton("b", form.clientArea());
    button->setGeometry(0, 0, 50, 20);
    QTest::mouseClick(form.clientArea(), Qt::LeftButton, {}, QPoint(100, 120));
    QTest::mouseClick(form.clientArea(), Qt::RightButton, {}, QPoint(10, 150));
    QTest::mouseClick(form.clientArea(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 150));
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(form.presses.size(), 3u);
    EXPECT_TRUE(form.presses[0].isPlainLeft());
    EXPECT_EQ(form.presses[0].x, 100);
    EXPECT_EQ(form.presses[0].y, 120);
    EXPECT_FALSE(form.presses[1].isPlainLeft());
    EXPECT_FALSE(form.presses[2].isPlainLeft());
    EXPECT_EQ(form.clicks, 2);
    MouseState dbl{Qt::LeftButton, Qt::LeftButton, {}, true, 0, 0};
    EXPECT_FALSE(dbl.isPlainLeft());
}

TEST(Form, DrawingNeverLandsOnAControlAndAnEraseCleansTheRest) {
    ProbeForm form;
    auto* button = new QPushButton("B", form.clientArea());
    button->setGeometry(100, 100, 50, 30);
    const QRgb background = pixel(form, 10, 10);
    Canvas& c = form.canvas();
    c.setPenColor(0xFF0000);
    c.moveTo(120, 10);
    c.lineTo(120, 200); // through the button
    c.setPixel(110, 110, 0x00FF00);
    std::vector<Rgb> block(40 * 40, 0x0000FF);
    c.setPixels(90, 90, 40, 40, block);
    QImage image = form.canvasImage();
    EXPECT_EQ(image.pixel(120, 50) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(120, 115) & 0xFFFFFF, background & 0xFFFFFF);
    EXPECT_EQ(image.pixel(110, 110) & 0xFFFFFF, background & 0xFFFFFF);
    EXPECT_EQ(image.pixel(95, 95) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(image.pixel(105, 105) & 0xFFFFFF, background & 0xFFFFFF);
    // A hidden control no longer shields the image.
    button->hide();
    c.moveTo(120, 10);
    c.lineTo(120, 200);
    EXPECT_EQ(pixel(form, 120, 115), 0xFF0000u);
    c.eraseAll();
    EXPECT_EQ(pixel(form, 120, 50), background & 0xFFFFFF);
}

TEST(Guard, ExitRunsOnlyWhenTheFocusMovesWithinTheWindow) {
    ProbeForm form;
    auto* edit = new QLineEdit(form.clientArea());
    int exits = 0;
    onExit(edit, [&] { ++exits; });
    auto leave = [&](Qt::FocusReason reason) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(edit, &out);
    };
    leave(Qt::TabFocusReason);
    EXPECT_EQ(exits, 1);
    leave(Qt::ActiveWindowFocusReason); // another window became active, or this one was hidden
    leave(Qt::PopupFocusReason);        // a context menu opened
    EXPECT_EQ(exits, 1);
    edit->hide();
    leave(Qt::OtherFocusReason); // hidden by the program
    EXPECT_EQ(exits, 1);
    edit->show();
    leave(Qt::MouseFocusReason);
    EXPECT_EQ(exits, 2);
    detachExitHandlers(&form);
    leave(Qt::TabFocusReason);
    EXPECT_EQ(exits, 2);
}

TEST(Guard, ExceptionsBecomeErrorBoxes) {
    testsupport::MessageCapture capture;
    guarded([] { throw textio::AppError("File not found"); });
    guarded([] { throw std::out_of_range("index 5 outside 1..4"); });
    guarded([] {});
    EXPECT_EQ(capture.errors(), (QStringList{"File not found", "index 5 outside 1..4"}));
}

TEST(ListBox, AppendsAMillionLinesQuicklyAndReadsThemBack) {
    ListBox list;
    list.resize(300, 200);
    list.show();
    for (int i = 0; i < 1000000; ++i)
        list.add(QString::number(i));
    QApplication::processEvents();
    EXPECT_EQ(list.count(), 1000000);
    EXPECT_EQ(list.item(999999), "999999");
    EXPECT_EQ(list.model()->rowCount(), 1000000);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    list.add("a");
    EXPECT_EQ(list.items(), QStringList{"a"});
}

TEST(ListBox, NoLineIsCutShortAndWideLinesScrollSideways) {
    ListBox list;
    list.resize(120, 100);
    list.show();
    const QString wide = "12  Ar II   4806.020   12345.1666666667";
    list.add("1");
    list.add(wide);
    // More than one layout batch, so that the widest line is neither the first nor the last.
    for (int i = 0; i < 1500; ++i)
        list.add(QString::number(i));
    settle();
    const int needed = list.fontMetrics().horizontalAdvance(wide);
    EXPECT_GE(list.visualRect(list.model()->index(1, 0)).width(), needed);
    EXPECT_GE(list.visualRect(list.model()->index(1501, 0)).width(), needed);
    EXPECT_GT(list.horizontalScrollBar()->maximum(), 0);
    list.clear();
    list.add("a");
    settle();
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), 0);
}

TEST(ListBox, AFollowingListShowsItsNewestLine) {
    ListBox plain;
    ListBox following;
    following.setFollowNewest(true);
    for (ListBox* list : {&plain, &following}) {
        list->resize(200, 100);
        list->show();
        for (int i = 0; i < 2500; ++i)
            list->add(QString::number(i));
    }
    settle();
    auto shows = [](const ListBox& list, int row) {
        return list.viewport()->rect().contains(list.visualRect(list.model()->index(row, 0)));
    };
    EXPECT_TRUE(shows(plain, 0));
    EXPECT_TRUE(shows(following, 2499));
    following.add("new");
    settle();
    EXPECT_TRUE(shows(following, 2500));
}

TEST(NameLabel, ShortensOnlyWhatIsPaintedAndInTheMiddle) {
    const QString name = "argon_550nm_c1_y512_fibra_central.dat";
    NameLabel label(name);
    label.resize(label.fontMetrics().horizontalAdvance(name) + 4, 20);
    EXPECT_EQ(label.shownText(), name);
    label.resize(120, 20);
    label.grab();
    const QString shown = label.shownText();
    EXPECT_TRUE(shown.startsWith("argon_") && shown.endsWith(".dat") && shown.contains(u'\u2026'))
        << shown.toStdString();
    EXPECT_LE(label.fontMetrics().horizontalAdvance(shown), 120);
    EXPECT_EQ(label.text(), name);
}

TEST(OpenDialog, ResponderChoosesAndMovesTheCurrentFolder) {
    testsupport::WorkFolder work;
    QString file = work.write("x.dat", "1 2\n");
    QDir::setCurrent(QDir::rootPath());
    testsupport::DialogScript script;
    OpenDialog dialog("OpenDialog1", "dat|*.dat|asc|*.asc", nullptr);
    script.choose(file);
    script.cancel();
    EXPECT_TRUE(dialog.execute());
    EXPECT_EQ(dialog.fileName(), QFileInfo(file).absoluteFilePath());
    EXPECT_EQ(QDir::current().canonicalPath(), QFileInfo(file).canonicalPath());
    EXPECT_FALSE(dialog.execute());
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"dat (*.dat)", "asc (*.asc)"}));
    dialog.setFilter("asc");
    EXPECT_EQ(dialog.nameFilters(), QStringList{"asc (*)"});
}

TEST(FileNames, BytesThatAreNotUtf8ComeBackAsTheyWere) {
    const std::string latin1 = "datos_ma\361ana.dat";
    EXPECT_EQ(toPath(fromPath(latin1)).native(), latin1);
    EXPECT_EQ(toPath(fromPath("a\xff\xfe/\xc3\xb1\xed\xa0\x80")).native(),
              "a\xff\xfe/\xc3\xb1\xed\xa0\x80");
    EXPECT_EQ(fromPath("/datos/ma\u00f1ana \U0001F600.dat"),
              QString::fromUtf8("/datos/ma\u00f1ana \U0001F600.dat"));
    EXPECT_EQ(toPath(QStringLiteral("/datos/ma\u00f1ana.dat")).native(), "/datos/ma\u00f1ana.dat");
}

TEST(FileNames, ANameNotInUtf8ChosenOrTypedOpensItsFile) {
    testsupport::WorkFolder work;
    const std::string folder = toPath(work.path("")).native();
    const std::string latin1 = folder + "/ma\361ana.dat";
    std::ofstream(latin1, std::ios::binary) << "1 2\n";
    QDir::setCurrent(QDir::rootPath());
    testsupport::DialogScript script;
    OpenDialog dialog("OpenDialog1", "dat|*.dat", nullptr);
    // As the toolkit lists it (U+FFFD for the byte), as typed, and as read from a Latin-1 list.
    for (const QString& chosen :
         {QFile::decodeName(QByteArray::fromStdString(latin1)), QString::fromLatin1(latin1)}) {
        script.choose(chosen);
        ASSERT_TRUE(dialog.execute());
        EXPECT_EQ(toPath(dialog.fileName()).native(), latin1);
        EXPECT_EQ(textio::TextReader::openFile(toPath(dialog.fileName())).readReal(), 1.0);
        EXPECT_EQ(std::filesystem::current_path().native(), folder);
    }
    EXPECT_EQ(toPath(platform::fromFileText("ma\361ana.dat")).native(), "ma\361ana.dat");
}
