// Random operation of every window: clicks on every button, menu item, check box, radio button
// and clickable label, random texts left in every edit box, slider moves, clicks on the client
// areas, and file dialogs answered with damaged and example files or cancelled. Nothing may
// crash or wait for an answer, and no input file may change.
#include "WindowTestSupport.h"
#include "platform/ClickLabel.h"
#include "platform/Form.h"
#include "support/BadInputs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>

namespace {

int actionCount() {
    const char* given = std::getenv("LINEID_MONKEY_ACTIONS");
    return given != nullptr ? std::atoi(given) : 10000;
}

QByteArray hashOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

// Inputs in a folder of their own: the corpus (without its two largest cases, which only make
// the run slow) and the examples.
QStringList prepareInputs(const testsupport::WorkFolder& work) {
    QDir().mkpath(work.path("inputs"));
    QStringList files;
    for (const auto& c : badinputs::cases())
        if (c.bytes.size() < 200000)
            files << work.write("inputs/" + QString::fromStdString(c.name) + ".txt", c.bytes);
    QDirIterator examples(QStringLiteral(LINEID_EXAMPLES), QDir::Files);
    while (examples.hasNext()) {
        QString source = examples.next();
        QString copy = work.path("inputs/" + QFileInfo(source).fileName());
        QFile::copy(source, copy);
        files << copy;
    }
    return files;
}

QString randomText(std::mt19937& random) {
    static const QStringList texts{
        "0",          "1",           "-1",     "5",    "47",       "2",      "512",
        "1024",       "500",         "406.57", "-3.5", "1e308",    "-1e308", "99999999999",
        "2147483647", "-2147483648", "",       " ",    "abc",      "1,5",    "nan",
        "inf",        "0x10",        "+-2",    "1e",   "0.000001", "200",    "3"};
    if (random() % 20 == 0)
        return QString(static_cast<int>(random() % 5000), QChar('9'));
    return texts[static_cast<int>(random() % static_cast<unsigned>(texts.size()))];
}

std::vector<platform::Form*> forms() {
    std::vector<platform::Form*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<platform::Form*>(w))
            out.push_back(f);
    return out;
}

void act(std::mt19937& random, platform::Form* form) {
    auto pick = [&](auto list) {
        return list[static_cast<int>(random() % static_cast<unsigned>(list.size()))];
    };
    switch (random() % 8) {
    case 0:
    case 1: {
        // The window's own controls only: the toolkit's menu-bar buttons open popups that wait.
        QList<QAbstractButton*> buttons;
        for (QAbstractButton* b : form->findChildren<QAbstractButton*>())
            if (!b->objectName().isEmpty() && !b->objectName().startsWith("qt_"))
                buttons << b;
        if (!buttons.isEmpty())
            pick(buttons)->click();
        break;
    }
    case 2: {
        auto edits = form->findChildren<QLineEdit*>();
        if (edits.isEmpty())
            break;
        QLineEdit* edit = pick(edits);
        edit->setText(randomText(random));
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(edit, &out);
        break;
    }
    case 3: {
        auto labels = form->findChildren<platform::ClickLabel*>();
        if (!labels.isEmpty())
            emit pick(labels)->clicked();
        break;
    }
    case 4: {
        auto bars = form->findChildren<QScrollBar*>();
        if (!bars.isEmpty())
            pick(bars)->triggerAction(random() % 2 ? QAbstractSlider::SliderPageStepAdd
                                                   : QAbstractSlider::SliderSingleStepSub);
        break;
    }
    case 5: {
        auto menus = form->findChildren<QMenu*>();
        if (menus.isEmpty())
            break;
        auto items = pick(menus)->actions();
        if (!items.isEmpty())
            pick(items)->trigger();
        break;
    }
    case 6: {
        QWidget* area = form->clientArea();
        QPoint at(static_cast<int>(random() % static_cast<unsigned>(area->width() + 1)),
                  static_cast<int>(random() % static_cast<unsigned>(area->height() + 1)));
        Qt::MouseButton button = random() % 4 == 0 ? Qt::RightButton : Qt::LeftButton;
        QTest::mouseClick(area, button, random() % 5 == 0 ? Qt::ShiftModifier : Qt::NoModifier, at);
        break;
    }
    default:
        form->showWindow();
        QApplication::processEvents();
        break;
    }
}

} // namespace

TEST(Monkey, TenThousandActionsOverEveryWindow) {
    testsupport::WorkFolder work;
    testsupport::MessageCapture capture;
    const QStringList inputs = prepareInputs(work);
    std::map<QString, QByteArray> before;
    for (const QString& f : inputs)
        before[f] = hashOf(f);

    // Checked before the responder, which holds references to this function's locals, is set.
    auto windows = forms();
    ASSERT_EQ(windows.size(), 12u);
    std::mt19937 random(20261208);
    auto previousResponder =
        platform::setDialogResponder([&](const platform::OpenDialog&) -> std::optional<QString> {
            if (random() % 4 == 0)
                return std::nullopt;
            return inputs[static_cast<int>(random() % static_cast<unsigned>(inputs.size()))];
        });
    const int actions = actionCount();
    for (int i = 0; i < actions; ++i) {
        if (std::getenv("LINEID_MONKEY_TRACE") != nullptr)
            std::fprintf(stderr, "%d\n", i);
        act(random, windows[random() % windows.size()]);
        if (i % 50 == 0)
            QApplication::processEvents();
    }
    platform::setDialogResponder(std::move(previousResponder));

    for (const QString& f : inputs)
        EXPECT_EQ(hashOf(f), before[f]) << f.toStdString() << " changed";
    int errors = static_cast<int>(capture.errors().size());
    std::printf("%d actions, %zu messages (%d errors)\n", actions, capture.messages.size(), errors);
    EXPECT_GT(errors, 0); // the damaged inputs were met and reported
}
