#include "Solitask/strip/NotchParts.h"

#include "Solitask/strip/NotchChip.h"
#include "Solitask/strip/NotchView.h"
#include "Solitask/ui/Hairline.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"
#include "SolitaskCore/Enums.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QVBoxLayout>

namespace NotchParts {

namespace {

const QString checkmark = QStringLiteral("\u2713");

/// Hands the view's actions to `pick` when `chip` is pressed.
template<typename Pick>
void onPress(NotchChip *chip, NotchView &view, Pick pick)
{
    QPointer<NotchView> target(&view);
    QObject::connect(chip, &QPushButton::clicked, chip, [target, pick] {
        // A copy: the action may rewire the view while it runs.
        if (target)
            pick(StripActions(target->actions()));
    });
}

template<typename Pick>
NotchChip *chip(NotchView &view, const QString &label, const QString &symbol, Pick pick)
{
    auto *c = new NotchChip(label, true, symbol);
    c->setObjectName(QStringLiteral("chip:") + label);
    onPress(c, view, pick);
    return c;
}

QMenu *darkMenu(QWidget *owner)
{
    auto *menu = new QMenu(owner);
    QPalette p = menu->palette();
    // The style paints a menu's panel from Base and its items from Window.
    p.setColor(QPalette::Window, Palette::Notch::lilacTint());
    p.setColor(QPalette::Base, Palette::Notch::lilacTint());
    p.setColor(QPalette::WindowText, Palette::Notch::ink());
    p.setColor(QPalette::Text, Palette::Notch::ink());
    p.setColor(QPalette::ButtonText, Palette::Notch::ink());
    p.setColor(QPalette::Highlight, Palette::Notch::lilac());
    p.setColor(QPalette::HighlightedText, Palette::Notch::bg());
    menu->setPalette(p);
    menu->setFont(TextStyle::font(13));
    return menu;
}

NotchChip *menuButton(const QString &title)
{
    auto *button = new NotchChip(title, false);
    button->setObjectName(QStringLiteral("menu:") + title);
    button->setMenu(darkMenu(button));
    return button;
}

/// Adds an item to `button`'s menu that hands the view's actions to `use`.
template<typename Use>
void addItem(NotchChip *button, NotchView &view, const QString &title, Use use)
{
    QPointer<NotchView> target(&view);
    QAction *item = button->menu()->addAction(title);
    QObject::connect(item, &QAction::triggered, button, [target, use] {
        if (target)
            use(StripActions(target->actions()));
    });
}

} // namespace

QLabel *label(const QString &text, qreal size, const QColor &color, QFont::Weight weight,
              qreal tracking)
{
    auto *l = new QLabel(text);
    l->setTextFormat(Qt::PlainText);
    TextStyle::ui(l, size, color, weight, tracking);
    return l;
}

QWidget *divider()
{
    return new Hairline(Palette::Notch::hairline(), 1);
}

QWidget *titleBlock(const QString &title, const QString &subtitle)
{
    auto *block = new QWidget;
    auto *column = new QVBoxLayout(block);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    QLabel *top = label(title, 15, Palette::Notch::ink());
    top->setObjectName(QStringLiteral("sectionTitle"));
    QLabel *bottom = label(subtitle, 12, Palette::Notch::ink3());
    bottom->setObjectName(QStringLiteral("sectionSubtitle"));
    column->addWidget(top);
    column->addWidget(bottom);
    return block;
}

QWidget *row(const QList<QWidget *> &widgets, int spacing)
{
    auto *holder = new QWidget;
    auto *line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(spacing);
    for (QWidget *w : widgets)
        line->addWidget(w, 0, Qt::AlignVCenter);
    line->addStretch(1);
    return holder;
}

QWidget *wrapped(const QList<QWidget *> &items, int width, int hSpacing, int vSpacing)
{
    auto *holder = new QWidget;
    auto *column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(vSpacing);
    QList<QWidget *> current;
    int x = 0;
    for (QWidget *item : items) {
        const int w = item->sizeHint().width();
        if (!current.isEmpty() && x + w > width) {
            column->addWidget(row(current, hSpacing));
            current.clear();
            x = 0;
        }
        current.append(item);
        x += w + hSpacing;
    }
    if (!current.isEmpty())
        column->addWidget(row(current, hSpacing));
    return holder;
}

NotchChip *doneChip(NotchView &view)
{
    return chip(view, QStringLiteral("Done"), checkmark, [](const StripActions &a) {
        if (a.onDone)
            a.onDone();
    });
}

NotchChip *backToItChip(NotchView &view)
{
    return chip(view, QStringLiteral("Back to it"), {}, [](const StripActions &a) {
        if (a.onBackToIt)
            a.onBackToIt();
    });
}

NotchChip *declareChip(NotchView &view)
{
    return chip(view, QStringLiteral("Declare\u2026"), {}, [](const StripActions &a) {
        if (a.onDeclare)
            a.onDeclare();
    });
}

NotchChip *backOnDutyChip(NotchView &view)
{
    return chip(view, QStringLiteral("Back on duty"), {}, [](const StripActions &a) {
        if (a.onBackOnDuty)
            a.onBackOnDuty();
    });
}

NotchChip *switchMenu(NotchView &view)
{
    NotchChip *button = menuButton(QStringLiteral("Switch \u2192"));
    for (SwitchReason reason : allCases<SwitchReason>()) {
        addItem(button, view, ::label(reason), [reason](const StripActions &a) {
            if (a.onSwitch)
                a.onSwitch(reason);
        });
    }
    return button;
}

NotchChip *offDutyMenu(NotchView &view)
{
    struct Choice
    {
        const char *title;
        std::optional<int> minutes;
        const char *reason;
    };
    static const Choice choices[] = {{"30 minutes", 30, "30m"},
                                     {"2 hours", 120, "2h"},
                                     {"Rest of today", std::nullopt, "restOfDay"}};
    NotchChip *button = menuButton(QStringLiteral("Off duty"));
    for (const Choice &c : choices) {
        const QString reason = QString::fromLatin1(c.reason);
        const std::optional<int> minutes = c.minutes;
        addItem(button, view, QString::fromLatin1(c.title), [minutes, reason](const StripActions &a) {
            if (a.onOffDuty)
                a.onOffDuty(minutes, reason);
        });
    }
    return button;
}

QWidget *journalButton(NotchView &view)
{
    auto *button = new QPushButton(QStringLiteral("Journal"));
    button->setObjectName(QStringLiteral("journal"));
    button->setFlat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setFont(TextStyle::font(12));
    button->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0; background: "
                                         "transparent; color: %1; }")
                              .arg(Palette::Notch::ink2().name()));
    QPointer<NotchView> target(&view);
    QObject::connect(button, &QPushButton::clicked, button, [target] {
        const auto open = target ? target->actions().onJournal : nullptr;
        if (open)
            open();
    });
    return button;
}

} // namespace NotchParts
