#include "Solitask/app/StatusMenu.h"

#include "Solitask/app/MenuTarget.h"
#include "SolitaskCore/Formatters.h"
#include "SolitaskCore/NudgeCopy.h"

#include <QMenu>

namespace StatusMenu {

namespace {

struct OffDutyChoice
{
    const char *title;
    int minutes;
    const char *reason;
};

constexpr OffDutyChoice offDutyChoices[] = {
    {"30 minutes", 30, "30m"},
    {"2 hours", 120, "2h"},
    {"Rest of today", 0, "restOfDay"},
    {"Someone else is using this computer", -1, "someoneElse"},
};

/// Menu titles treat "&" as a mnemonic marker; a typed one must show as itself.
QString literal(const QString &text)
{
    return QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QAction *item(QMenu &menu, const QString &title, MenuTarget &target, void (MenuTarget::*call)(),
              const QKeySequence &keys = {})
{
    QAction *action = menu.addAction(title);
    action->setShortcut(keys);
    QObject::connect(action, &QAction::triggered, &menu, [&target, call] { (target.*call)(); });
    return action;
}

void disabled(QMenu &menu, const QString &title)
{
    menu.addAction(literal(title))->setEnabled(false);
}

bool committedOrGate(const AppMode &mode)
{
    return mode.is(AppMode::Kind::committed) || mode.is(AppMode::Kind::gate);
}

void thingItems(QMenu &menu, const Thing &thing, const Situation &s, MenuTarget &target)
{
    disabled(menu, NudgeCopy::shortThing(thing.text, thingLength));
    item(menu, QStringLiteral("Show the strip"), target, &MenuTarget::showStrip,
         QKeySequence(QStringLiteral("Ctrl+Alt+O")));
    // The same offers as the strip: the unanswered gate again, and no second close.
    if (s.mode.is(AppMode::Kind::gate))
        item(menu, QStringLiteral("Declare\u2026"), target, &MenuTarget::declare);
    if (!s.closeOffered)
        return;
    item(menu, QStringLiteral("Done \u2713"), target, &MenuTarget::done);
    QMenu *sub = menu.addMenu(QStringLiteral("Switch to something else"));
    for (SwitchReason reason : allCases<SwitchReason>()) {
        QAction *a = sub->addAction(label(reason));
        a->setData(rawValue(reason));
        QObject::connect(a, &QAction::triggered, sub, [a, &target] { switchChosen(*a, target); });
    }
}

void modeItems(QMenu &menu, const AppMode &mode, MenuTarget &target)
{
    if (mode.is(AppMode::Kind::offDuty)) {
        disabled(menu, mode.until ? QStringLiteral("Off duty until ") + Formatters::hm(*mode.until)
                                  : QStringLiteral("Off duty until next unlock"));
        item(menu, QStringLiteral("Back on duty"), target, &MenuTarget::backOnDuty);
    } else if (mode.is(AppMode::Kind::quiet)) {
        disabled(menu, QStringLiteral("Quiet hours"));
        item(menu, QStringLiteral("Declare anyway\u2026"), target, &MenuTarget::declare);
    } else {
        item(menu, QStringLiteral("Declare\u2026"), target, &MenuTarget::declare);
    }
}

void offDutyMenu(QMenu &menu, MenuTarget &target)
{
    QMenu *sub = menu.addMenu(QStringLiteral("Off duty"));
    for (const OffDutyChoice &c : offDutyChoices) {
        QAction *a = sub->addAction(QString::fromLatin1(c.title));
        a->setData(QVariantMap{{QStringLiteral("m"), c.minutes},
                               {QStringLiteral("r"), QString::fromLatin1(c.reason)}});
        QObject::connect(a, &QAction::triggered, sub, [a, &target] { offDutyChosen(*a, target); });
    }
}

// A tray menu belongs to no window of ours, so application shortcuts would
// never reach it: only the global Ctrl+Alt+O is shown, because only it works.
void shellItems(QMenu &menu, MenuTarget &target)
{
    menu.addSeparator();
    item(menu, QStringLiteral("Journal\u2026"), target, &MenuTarget::journal);
    item(menu, QStringLiteral("Settings\u2026"), target, &MenuTarget::settings);
    item(menu, QStringLiteral("Check for Updates\u2026"), target, &MenuTarget::checkUpdates);
    menu.addSeparator();
    item(menu, QStringLiteral("Quit Solitask"), target, &MenuTarget::quit);
}

} // namespace

void rebuild(QMenu &menu, const Situation &s, MenuTarget &target)
{
    // clear() deletes the menu's own actions but leaves its submenus alive.
    for (QMenu *sub : menu.findChildren<QMenu *>(Qt::FindDirectChildrenOnly))
        sub->deleteLater();
    menu.clear();
    if (!s.saveProblem.isEmpty()) {
        disabled(menu, QStringLiteral("Not saved \u2014 ") + s.saveProblem);
        menu.addSeparator();
    }
    if (s.currentThing && committedOrGate(s.mode))
        thingItems(menu, *s.currentThing, s, target);
    else
        modeItems(menu, s.mode, target);
    if (committedOrGate(s.mode))
        offDutyMenu(menu, target);
    shellItems(menu, target);
}

void switchChosen(const QAction &item, MenuTarget &target)
{
    if (const auto reason = fromRawValue<SwitchReason>(item.data().toString()))
        target.switchTo(*reason);
}

void offDutyChosen(const QAction &item, MenuTarget &target)
{
    const QVariantMap map = item.data().toMap();
    const QVariant m = map.value(QStringLiteral("m"));
    const QVariant r = map.value(QStringLiteral("r"));
    bool ok = false;
    const int minutes = m.toInt(&ok);
    if (!ok || !r.isValid())
        return;
    target.offDuty(minutes == 0 ? std::nullopt : std::optional(minutes), r.toString());
}

} // namespace StatusMenu
