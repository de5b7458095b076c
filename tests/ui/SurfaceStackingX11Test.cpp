// The one stacking rule on a real X server with a window manager: the gate
// above the strip above ordinary windows, and a surface's menus and message
// boxes above whatever opened them.
#include "Solitask/app/UpdaterBridge.h"
#include "Solitask/gate/GateController.h"
#include "Solitask/gate/GateWindow.h"
#include "Solitask/platform/linux/PresentationLockX11.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/QtScheduler.h"
#include "Solitask/session/StripModel.h"
#include "Solitask/session/SystemClock.h"
#include "Solitask/strip/NotchView.h"
#include "Solitask/strip/StripPanel.h"
#include "Solitask/strip/StripWindow.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>

#include "support/X11Stacking.h"

namespace {

qreal luminance(QRgb c)
{
    auto channel = [](int v) {
        const qreal s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

// The contrast between a picture's most common colour (its background) and
// the colour that stands out most from it (its text), read off the screen.
qreal textContrast(const QImage &shot)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ++counts[shot.pixel(x, y) | 0xff000000u];
    QRgb background = 0;
    int most = 0;
    for (const auto &[colour, n] : counts)
        if (n > most) {
            most = n;
            background = colour;
        }
    const qreal bg = luminance(background);
    qreal best = 1;
    for (const auto &[colour, n] : counts) {
        const qreal l = luminance(colour);
        best = std::max(best, (std::max(l, bg) + 0.05) / (std::min(l, bg) + 0.05));
    }
    return best;
}

class SurfaceStackingX11Test : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { QTest::qWait(1000); }

    void SetUp() override
    {
        Prefs::registerDefaults();
        model.set(&StripState::face, StripFace::committed);
        model.set(&StripState::text, "Ship the strip");
        model.set(&StripState::closeOffered, true);
        panel.setActions({});
    }

    void TearDown() override
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        gate.hide();
        panel.dismiss();
    }

    StripPanel::Environment environment()
    {
        return {clock, scheduler, [] { return QCursor::pos(); },
            [] { return NotchGeometry::notchScreen(); }, [] { return false; }, false};
    }

    const QWidget &strip() const { return panel.window(); }
    const QWidget &gateWindow() const { return *gate.windows().first(); }

    bool gateHasKeyboard()
    {
        return QTest::qWaitFor(
            [this] {
                return !gate.windows().isEmpty()
                    && QGuiApplication::focusWindow() == gate.windows().first()->windowHandle();
            },
            5000);
    }

    SystemClock clock;
    QtScheduler scheduler;
    PresentationLockX11 lock;
    GateController gate {clock, scheduler, lock};
    StripModel model;
    StripPanel panel {model, environment()};
};

} // namespace

TEST_F(SurfaceStackingX11Test, TheStripNeverStandsAboveTheInsistingGate)
{
    panel.presentTransient(std::nullopt);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel.window()));
    gate.show(GateFace::question(), true);
    ASSERT_TRUE(gateHasKeyboard());
    QTest::qWait(500);
    EXPECT_TRUE(X11Stacking::isAbove(gateWindow(), strip())) << "gate shown over an open strip";

    panel.collapse();
    panel.presentTransient(std::nullopt);
    QTest::qWait(800);
    EXPECT_TRUE(X11Stacking::isAbove(gateWindow(), strip())) << "strip opened under the gate";
}

TEST_F(SurfaceStackingX11Test, TheStripMenusStayAboveItAndReadable)
{
    panel.presentTransient(std::nullopt);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel.window()));
    QTest::qWait(400); // settled size
    auto *switchMenu = panel.view().findChild<QPushButton *>("menu:Switch \u2192");
    ASSERT_NE(switchMenu, nullptr);
    // The button's menu runs its own event loop: it is looked at from a timer
    // inside that loop, through a second and a half of the strip's hover ticks.
    int looks = 0;
    int above = 0;
    qreal contrast = 0;
    QTimer look;
    look.setInterval(400);
    QObject::connect(&look, &QTimer::timeout, [&] {
        QWidget *menu = QApplication::activePopupWidget();
        if (!menu)
            return;
        above += X11Stacking::isAbove(*menu, strip());
        if (++looks < 4)
            return;
        const QRect area = menu->geometry().adjusted(4, 4, -4, -4); // inside the frame
        contrast = textContrast(menu->screen()
                                    ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                                    .toImage());
        look.stop();
        menu->close();
    });
    look.start();
    const QPoint at = switchMenu->mapToGlobal(switchMenu->rect().center());
    QProcess::execute(
        "xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return looks >= 4; }, 8000));
    EXPECT_EQ(above, 4) << "the menu stayed above the strip at every look";
    EXPECT_GE(contrast, 4.5);
}

TEST_F(SurfaceStackingX11Test, AMessageBoxOpensAboveStayOnTopWindows)
{
    QWidget onTop(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    onTop.setGeometry(300, 200, 600, 400);
    onTop.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&onTop));
    QTest::qWait(300);
    UpdaterBridge updates("0.1.0", nullptr);
    updates.checkForUpdates(); // no feed: the answer comes at once
    QMessageBox *box = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
                    box = b;
            return box != nullptr;
        },
        3000));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    QTest::qWait(500);
    EXPECT_TRUE(X11Stacking::isAbove(*box, onTop));
    box->close();
}
