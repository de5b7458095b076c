#include "Solitask/settings/SettingsView.h"

#include "Solitask/journal/FloatingWindow.h"
#include "Solitask/journal/TextLabel.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/settings/BudgetControl.h"
#include "Solitask/settings/KeyCap.h"
#include "Solitask/settings/LoginToggle.h"
#include "Solitask/settings/PrivateAppsBlock.h"
#include "Solitask/settings/QuietHoursControl.h"
#include "Solitask/settings/SelfTestPanel.h"
#include "Solitask/settings/SettingsCard.h"
#include "Solitask/settings/SettingsGroup.h"
#include "Solitask/settings/SettingsRow.h"
#include "Solitask/settings/SettingsRules.h"
#include "Solitask/settings/SwitchToggle.h"
#include "Solitask/settings/WitnessPeekWindow.h"
#include "Solitask/ui/Hairline.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/SecondaryButtonStyle.h"
#include "Solitask/ui/SegmentedPill.h"
#include "Solitask/ui/TextStyle.h"
#include "Solitask/ui/WindowCard.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

SettingsView::SettingsView(const SettingsEnvironment &env, QWidget *parent)
    : Wallpaper(parent)
    , m_env(env)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addWidget(new WindowCard(12, Palette::panel(), content()));
}

void SettingsView::changed()
{
    ++m_tick;
    if (m_env.changed)
        m_env.changed();
}

SettingsRow *SettingsView::row(const QString &label) const
{
    for (SettingsRow *row : findChildren<SettingsRow *>()) {
        if (row->label() == label)
            return row;
    }
    return nullptr;
}

QWidget *SettingsView::content()
{
    auto *box = new QWidget;
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *title = textLabel(QStringLiteral("Settings"), 13, Palette::ink2());
    title->setAlignment(Qt::AlignCenter);
    title->setFixedHeight(44);
    column->addWidget(title);
    column->addWidget(new Hairline);
    auto *groups = new QWidget;
    auto *list = new QVBoxLayout(groups);
    list->setContentsMargins(24, 24, 24, 24);
    list->setSpacing(20);
    for (SettingsGroup *group : {gateGroup(), witnessGroup(), notchGroup(), generalGroup()})
        list->addWidget(group);
    list->addWidget(textLabel(QStringLiteral("Solitask is free, always. No tiers, no keys."), 12,
                              Palette::ink3()));
    list->addStretch();
    auto *scroll = new QScrollArea;
    scroll->setWidget(groups);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FloatingWindow::slimScrollBars(scroll);
    scroll->viewport()->setAutoFillBackground(false);
    groups->setAutoFillBackground(false);
    column->addWidget(scroll, 1);
    return box;
}

QWidget *SettingsView::boolSwitch(const QString &key)
{
    auto *toggle = new SwitchToggle(Prefs::flag(key));
    connect(toggle, &SwitchToggle::toggled, this, [this, key](bool on) {
        Prefs::setValue(key, on);
        changed();
    });
    return toggle;
}

QWidget *SettingsView::intPicker(const QList<int> &choices, const QString &key, int width)
{
    auto *combo = new QComboBox;
    TextStyle::ui(combo, 12, Palette::ink());
    for (int choice : choices)
        combo->addItem(QString::number(choice) + QStringLiteral(" min"), choice);
    combo->setCurrentIndex(combo->findData(Prefs::integer(key)));
    combo->setFixedWidth(width);
    connect(combo, &QComboBox::activated, this, [this, combo, key](int index) {
        Prefs::setValue(key, combo->itemData(index).toInt());
        changed();
    });
    return combo;
}

QWidget *SettingsView::modelPicker()
{
    auto *combo = new QComboBox;
    TextStyle::ui(combo, 12, Palette::ink());
    combo->addItem(QStringLiteral("Sonnet 5"), QStringLiteral("sonnet"));
    combo->addItem(QStringLiteral("Economy (Haiku 4.5)"), QStringLiteral("economy"));
    combo->addItem(QStringLiteral("Sharper (whatever Claude Code uses)"),
                   QStringLiteral("cliDefault"));
    combo->setCurrentIndex(combo->findData(Prefs::rawValue(Prefs::witnessModel())));
    combo->setFixedWidth(230);
    connect(combo, &QComboBox::activated, this, [this, combo](int index) {
        Prefs::setValue(Prefs::Key::witnessModel, combo->itemData(index).toString());
        changed();
    });
    return combo;
}

QWidget *SettingsView::pill(const QList<std::pair<int, QString>> &options, int selected,
                            const QString &key)
{
    QList<SegmentedPill::Option> items;
    for (const auto &[value, text] : options)
        items.append({value, text});
    auto *control = new SegmentedPill(items, selected);
    connect(control, &SegmentedPill::selectionChanged, this, [this, key](const QVariant &value) {
        Prefs::setValue(key, value.toInt());
        changed();
    });
    return control;
}

SettingsGroup *SettingsView::gateGroup()
{
    auto *group = new SettingsGroup(QStringLiteral("Gate"));
    SettingsCard *card = group->card();
    card->addRow(new SettingsRow(
        QStringLiteral("Insist"),
        QStringLiteral("Nothing works until you declare. Off = the same question, as a window you "
                       "can dismiss."),
        boolSwitch(Prefs::Key::insist)));
    card->addRow(new SettingsRow(QStringLiteral("Ask again after sleep or lock"), {},
                                 intPicker(SettingsRules::resumeChoices,
                                           Prefs::Key::resumeThresholdMinutes, 100)));
    card->addRow(new SettingsRow(QStringLiteral("Quiet hours"),
                                 QStringLiteral("Off duty by default. No Gate, no frames."),
                                 new QuietHoursControl([this] { changed(); })));
    card->addRow(new SettingsRow(QStringLiteral("Weekends"), {},
                                 boolSwitch(Prefs::Key::quietWeekends)));
    return group;
}

SettingsGroup *SettingsView::witnessGroup()
{
    auto *group = new SettingsGroup(QStringLiteral("Witness"));
    SettingsCard *card = group->card();
    const int cadence = Prefs::integer(Prefs::Key::cadenceMinutes);
    auto *cadencePill = static_cast<SegmentedPill *>(
        pill({{3, QStringLiteral("3 min")}, {5, QStringLiteral("5 min")},
                 {10, QStringLiteral("10 min")}},
            cadence, Prefs::Key::cadenceMinutes));
    auto *cadenceRow = new SettingsRow(
        QStringLiteral("Look every"), SettingsRules::cadenceText(cadence), cadencePill);
    connect(
        cadencePill, &SegmentedPill::selectionChanged, cadenceRow, [cadenceRow](const QVariant &v) {
            cadenceRow->subLabel()->setText(SettingsRules::cadenceText(v.toInt()));
        });
    card->addRow(cadenceRow);
    card->addRow(new SettingsRow(
        QStringLiteral("Ask Claude"), {},
        textLabel(QStringLiteral("every hour · and when you finish or switch"), 12, Palette::ink2())));
    card->addRow(new SettingsRow(
        QStringLiteral("Model"),
        QStringLiteral("Sonnet 5 by default. Economy = Haiku. Sharper = whatever your Claude Code "
                       "uses. Falls back to Haiku when rate-limited."),
        modelPicker()));
    card->addRow(new SettingsRow(
        QStringLiteral("Keep frames"), QStringLiteral("So you can see what the witness saw."),
        pill({{0, QStringLiteral("Never")}, {24, QStringLiteral("24 h")}, {168, QStringLiteral("7 days")}},
             SettingsRules::nearestChoice(Prefs::integer(Prefs::Key::retentionHours),
                                          SettingsRules::retentionChoices),
             Prefs::Key::retentionHours)));
    card->addRow(new PrivateAppsBlock(m_env));
    if (m_env.peek)
        card->addRow(new SettingsRow(QStringLiteral("Check what leaves your screen"),
            QStringLiteral("The frame the witness would take now, private apps blanked. Shown "
                           "only to you."),
            peekButton()));
    card->addRow(new SettingsRow(QStringLiteral("Skip while the camera is on"), {},
                                 boolSwitch(Prefs::Key::skipWhileCamera)));
    card->addRow(new SettingsRow(QStringLiteral("Per-call quota cap"),
                                 QStringLiteral("Passed to claude as --max-budget-usd"),
                                 new BudgetControl([this] { changed(); })));
    return group;
}

QWidget *SettingsView::peekButton()
{
    auto *button = new QPushButton(QStringLiteral("Show what the witness sees"));
    button->setObjectName(QStringLiteral("peek"));
    SecondaryButtonStyle::apply(button);
    connect(button, &QPushButton::clicked, this, [peek = m_env.peek] {
        auto *window = new WitnessPeekWindow;
        QPointer<WitnessPeekWindow> guard(window);
        peek([guard](const QByteArray &jpeg, const QString &why) {
            if (guard)
                guard->show(jpeg, why);
        });
    });
    return button;
}

QWidget *SettingsView::doubleTapControl()
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(boolSwitch(Prefs::Key::doubleTapOption));
    return box;
}

SettingsGroup *SettingsView::notchGroup()
{
    // This desktop has no notch and asks no permission for keys: the texts
    // say what is true here.
    auto *group = new SettingsGroup(QStringLiteral("Top strip"));
    SettingsCard *card = group->card();
    card->addRow(new SettingsRow(QStringLiteral("Open when the cursor reaches the top strip"),
        QStringLiteral("Nothing hangs from the top of the screen at rest. Move the cursor to its "
                       "centre and the panel drops out."),
        boolSwitch(Prefs::Key::notchHoverOpens)));
    const QString bind = adviceFor(m_env.capabilities, QStringLiteral("hot key"));
    card->addRow(new SettingsRow(QStringLiteral("Summon with"),
        bind.isEmpty() ? QStringLiteral("Works everywhere, no permission needed. Opens the top "
                                        "strip for a moment.")
                       : QStringLiteral("This desktop keeps its keys to itself: ") + bind + u'.',
        new KeyCap(QStringLiteral("Ctrl+Alt+O"))));
    const bool trusted = !m_env.accessibilityTrusted || m_env.accessibilityTrusted();
    const QString tap = adviceFor(m_env.capabilities, QStringLiteral("double tap"));
    card->addRow(new SettingsRow(QStringLiteral("Double-tap Alt to summon"),
        !tap.isEmpty() ? tap.left(1).toUpper() + tap.mid(1) + u'.'
        : trusted      ? QStringLiteral("Tap Alt twice, quickly, with nothing else held.")
                       : QStringLiteral("This display does not report the Alt key to Solitask (it "
                                        "lacks XInput 2)."),
        doubleTapControl()));
    card->addRow(new SettingsRow(QStringLiteral("Soft tick on a nudge"), {},
                                 boolSwitch(Prefs::Key::soundOnNudge)));
    return group;
}

SettingsGroup *SettingsView::generalGroup()
{
    auto *group = new SettingsGroup(QStringLiteral("General"));
    SettingsCard *card = group->card();
    card->addRow(new SettingsRow(QStringLiteral("Start at login"), {},
                                 new LoginToggle(m_env.loginItem, [this] { changed(); })));
    auto *block = new QWidget;
    auto *column = new QVBoxLayout(block);
    column->setContentsMargins(14, 11, 14, 12);
    column->setSpacing(8);
    column->addWidget(textLabel(QStringLiteral("Witness self-test"), 13, Palette::ink()));
    column->addWidget(new SelfTestPanel(QStringLiteral("Run witness self-test"), m_env.selfTest));
    card->addRow(block);
    return group;
}
