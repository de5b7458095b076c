#include "Solitask/app/StatusMenu.h"
#include "Solitask/app/MenuTarget.h"
#include "SolitaskCore/Formatters.h"

#include <QMenu>
#include <gtest/gtest.h>

namespace {

class RecordingTarget : public MenuTarget
{
public:
    QStringList calls;

    void declare() override { calls << "declare"; }
    void showStrip() override { calls << "showStrip"; }
    void done() override { calls << "done"; }
    void switchTo(SwitchReason r) override { calls << "switch:" + rawValue(r); }
    void offDuty(std::optional<int> m, const QString &r) override
    {
        calls << QStringLiteral("offDuty:%1:%2").arg(m ? QString::number(*m) : "none", r);
    }
    void backOnDuty() override { calls << "backOnDuty"; }
    void journal() override { calls << "journal"; }
    void settings() override { calls << "settings"; }
    void checkUpdates() override { calls << "checkUpdates"; }
    void quit() override { calls << "quit"; }
};

Thing thing(const QString &text = "Finish the pricing page")
{
    Thing t;
    t.id = "t1";
    t.text = text;
    t.declaredAt = QDateTime::currentDateTimeUtc();
    return t;
}

StatusMenu::Situation situation(const AppMode &mode, std::optional<Thing> t = std::nullopt,
    bool closeOffered = true, const QString &saveProblem = {})
{
    return {mode, std::move(t), closeOffered, saveProblem};
}

class StatusMenuTest : public ::testing::Test
{
protected:
    void build(const AppMode &mode, std::optional<Thing> t = std::nullopt)
    {
        StatusMenu::rebuild(menu, situation(mode, std::move(t)), target);
    }

    /// Titles, "-" for separators, "(off)" after disabled ones, "▸" after submenus.
    static QStringList titles(const QMenu &m)
    {
        QStringList out;
        for (QAction *a : m.actions()) {
            QString t = a->isSeparator() ? "-" : a->text();
            if (!a->isEnabled())
                t += " (off)";
            if (a->menu())
                t += " \u25b8";
            out << t;
        }
        return out;
    }

    QAction *find(const QString &title, const QMenu *in = nullptr) const
    {
        for (QAction *a : (in ? in : &menu)->actions()) {
            if (a->text() == title)
                return a;
        }
        return nullptr;
    }

    void pick(const QString &submenu, const QString &title)
    {
        QAction *sub = find(submenu);
        ASSERT_NE(sub, nullptr);
        QAction *a = find(title, sub->menu());
        ASSERT_NE(a, nullptr) << title.toStdString();
        a->trigger();
    }

    QMenu menu;
    RecordingTarget target;
};

// The gate closed unanswered keeps its solitask open: the menu offers it back
// beside the same actions as the strip; a close wrapping up offers none twice.
TEST_F(StatusMenuTest, EachSituationShowsItsItemsAboveTheShellItems)
{
    const QDateTime until = QDateTime::currentDateTimeUtc().addSecs(1800);
    const QString title = "Finish the pricing page (off)";
    const QStringList closing = {"Done \u2713", "Switch to something else \u25b8"};
    const struct
    {
        const char *name;
        StatusMenu::Situation situation;
        QStringList items;
    } cases[] = {
        {"committed", situation(AppMode::committed(), thing()),
            QStringList {title, "Show the strip"} + closing + QStringList {"Off duty \u25b8"}},
        {"wrapping up", situation(AppMode::committed(), thing(), false),
            {title, "Show the strip", "Off duty \u25b8"}},
        {"off duty with an open solitask", situation(AppMode::offDuty(until), thing()),
            {"Off duty until " + Formatters::hm(until) + " (off)", "Back on duty"}},
        {"off duty until unlock", situation(AppMode::offDuty(std::nullopt), thing()),
            {"Off duty until next unlock (off)", "Back on duty"}},
        {"quiet", situation(AppMode::quiet()), {"Quiet hours (off)", "Declare anyway\u2026"}},
        {"gate", situation(AppMode::gate()), {"Declare\u2026", "Off duty \u25b8"}},
        {"onboarding", situation(AppMode::onboarding()), {"Declare\u2026"}},
        {"unanswered gate", situation(AppMode::gate(), thing()),
            QStringList {title, "Show the strip", "Declare\u2026"} + closing
                + QStringList {"Off duty \u25b8"}},
        {"not saved",
            situation(AppMode::committed(), thing(), true, "/d/2026-03-02.json: No space left"),
            QStringList {"Not saved \u2014 /d/2026-03-02.json: No space left (off)", "-", title,
                "Show the strip"}
                + closing + QStringList {"Off duty \u25b8"}},
    };
    const QStringList shell
        = {"-", "Journal\u2026", "Settings\u2026", "Check for Updates\u2026", "-", "Quit Solitask"};
    for (const auto &c : cases) {
        build(AppMode::committed(), thing()); // rebuilding starts from scratch
        StatusMenu::rebuild(menu, c.situation, target);
        EXPECT_EQ(titles(menu), c.items + shell) << c.name;
        // Only the global hot key works from a tray menu; no other shortcut is shown.
        for (const QAction *a : menu.actions())
            EXPECT_EQ(a->shortcut(), a->text() == QStringLiteral("Show the strip")
                    ? QKeySequence("Ctrl+Alt+O") : QKeySequence())
                << c.name << ": " << a->text().toStdString();
    }
}

TEST_F(StatusMenuTest, EveryItemCallsItsAction)
{
    build(AppMode::committed(), thing());
    for (const char *title : {"Show the strip", "Done \u2713", "Journal\u2026", "Settings\u2026",
             "Check for Updates\u2026", "Quit Solitask"})
        find(QString::fromUtf8(title))->trigger();
    pick("Switch to something else", "Wrong thing");
    pick("Off duty", "30 minutes");
    pick("Off duty", "2 hours");
    pick("Off duty", "Rest of today");
    pick("Off duty", "Someone else is using this computer");
    EXPECT_EQ(target.calls,
        QStringList({"showStrip", "done", "journal", "settings", "checkUpdates", "quit",
            "switch:wrongThing", "offDuty:30:30m", "offDuty:120:2h", "offDuty:none:restOfDay",
            "offDuty:-1:someoneElse"}));
    build(AppMode::offDuty(std::nullopt));
    find("Back on duty")->trigger();
    build(AppMode::quiet());
    find("Declare anyway\u2026")->trigger();
    EXPECT_EQ(target.calls.mid(11), QStringList({"backOnDuty", "declare"}));
}

TEST_F(StatusMenuTest, MalformedItemsDoNothing)
{
    QAction item("x");
    StatusMenu::switchChosen(item, target);
    item.setData("sideways");
    StatusMenu::switchChosen(item, target);
    item.setData(QVariantMap {{"m", 30}});
    StatusMenu::offDutyChosen(item, target);
    item.setData(QVariantMap {{"r", "30m"}});
    StatusMenu::offDutyChosen(item, target);
    item.setData(QVariantMap {{"m", "soon"}, {"r", "30m"}});
    StatusMenu::offDutyChosen(item, target);
    EXPECT_TRUE(target.calls.isEmpty());
}

TEST_F(StatusMenuTest, LongOrOddSolitaskTextsAreShortenedAndShownLiterally)
{
    build(AppMode::committed(), thing(QString(10000, QChar('x'))));
    const QString first = menu.actions().first()->text();
    EXPECT_LE(first.size(), StatusMenu::thingLength);
    EXPECT_TRUE(first.endsWith(QChar(0x2026)));
    build(AppMode::committed(), thing("R&D budget"));
    EXPECT_EQ(menu.actions().first()->text(), "R&&D budget");
}

} // namespace
