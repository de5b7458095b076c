#include "Solitask/settings/PrivateAppsBlock.h"

#include "Solitask/journal/TextLabel.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/settings/SettingsRules.h"
#include "Solitask/ui/Hairline.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/SecondaryButtonStyle.h"
#include "Solitask/ui/TextStyle.h"
#include "Solitask/ui/ClearLayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QToolButton *plainButton(const QString &text, qreal size, const QColor &color)
{
    auto *button = new QToolButton;
    button->setText(text);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; }"
                                         "QToolButton::menu-indicator { image: none; width: 0; }"));
    TextStyle::ui(button, size, color);
    return button;
}
} // namespace

PrivateAppsBlock::PrivateAppsBlock(const SettingsEnvironment &env, QWidget *parent)
    : QWidget(parent)
    , m_env(env)
    , m_column(new QVBoxLayout(this))
{
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(0);
    rebuild();
}

void PrivateAppsBlock::setOpen(bool open)
{
    m_open = open;
    rebuild();
}

QString PrivateAppsBlock::countText() const
{
    return SettingsRules::appCount(Prefs::privateBundleIDs().size());
}

void PrivateAppsBlock::store(const QStringList &ids)
{
    Prefs::setPrivateBundleIDs(ids);
    rebuild();
    if (m_env.changed)
        m_env.changed();
}

void PrivateAppsBlock::remove(const QString &id)
{
    QStringList ids = Prefs::privateBundleIDs();
    ids.removeAll(id);
    store(ids);
}

void PrivateAppsBlock::add(const QString &id)
{
    QStringList ids = Prefs::privateBundleIDs();
    if (!ids.contains(id))
        ids.append(id);
    store(ids);
}

void PrivateAppsBlock::restoreDefaults()
{
    store(Prefs::defaultPrivateBundleIDs());
}

void PrivateAppsBlock::rebuild()
{
    clearLayout(m_column);
    m_column->addWidget(header());
    if (!m_open)
        return;
    // Identifiers of apps this computer does not have (the other platform's
    // defaults) stay private but are told in one quiet line, not listed raw.
    qsizetype elsewhere = 0;
    for (const QString &id : Prefs::privateBundleIDs()) {
        const QString name = m_env.appName ? m_env.appName(id) : QString();
        if (name.isEmpty()) {
            ++elsewhere;
            continue;
        }
        m_column->addWidget(new Hairline);
        m_column->addWidget(appRow(id, name));
    }
    if (elsewhere > 0) {
        m_column->addWidget(new Hairline);
        m_column->addWidget(elsewhereLine(elsewhere));
    }
    m_column->addWidget(new Hairline);
    m_column->addWidget(footer());
}

QWidget *PrivateAppsBlock::elsewhereLine(qsizetype count)
{
    auto *line = textLabel(QStringLiteral("Also kept private: ") + SettingsRules::appCount(count)
            + QStringLiteral(" not installed on this computer"),
        11, Palette::ink3());
    line->setObjectName(QStringLiteral("privateElsewhere"));
    line->setContentsMargins(14, 8, 14, 8);
    return line;
}

QWidget *PrivateAppsBlock::header()
{
    auto *button = new QPushButton;
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    auto *row = new QHBoxLayout(button);
    row->setContentsMargins(14, 11, 14, 11);
    row->setSpacing(16);
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(textLabel(QStringLiteral("Private apps"), 13, Palette::ink()));
    texts->addWidget(textLabel(QStringLiteral("Blanked out of every frame; skipped when in front."),
                               11, Palette::ink3()));
    row->addLayout(texts, 1);
    auto *count = textLabel(countText(), 13, Palette::ink2());
    count->setObjectName(QStringLiteral("privateCount"));
    row->addWidget(count);
    row->addWidget(textLabel(m_open ? QStringLiteral("⌄") : QStringLiteral("›"), 13,
                             Palette::ink3(), QFont::Medium));
    button->setMinimumHeight(row->sizeHint().height());
    connect(button, &QPushButton::clicked, this, [this] { setOpen(!m_open); });
    return button;
}

QWidget *PrivateAppsBlock::appRow(const QString &id, const QString &name)
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(14, 8, 14, 8);
    auto *texts = new QVBoxLayout;
    texts->setSpacing(1);
    texts->addWidget(textLabel(name, 12, Palette::ink()));
    auto *idLabel = textLabel(id, 11, Palette::ink3());
    QFont mono = idLabel->font();
    mono.setFamily(QStringLiteral("monospace"));
    idLabel->setFont(mono);
    texts->addWidget(idLabel);
    row->addLayout(texts, 1);
    auto *removeButton = plainButton(QStringLiteral("⊗"), 13, Palette::ink3());
    removeButton->setFixedSize(24, 24);
    removeButton->setToolTip(QStringLiteral("Remove from private apps"));
    connect(removeButton, &QToolButton::clicked, this, [this, id] { remove(id); });
    row->addWidget(removeButton);
    return box;
}

QWidget *PrivateAppsBlock::footer()
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(14, 6, 14, 6);
    if (addable().isEmpty()) {
        row->addWidget(textLabel(QStringLiteral("Every running app is already private"), 12,
                                 Palette::ink3()));
    } else {
        auto *addButton = plainButton(QStringLiteral("Add running app…"), 12, Palette::lilacText());
        addButton->setPopupMode(QToolButton::InstantPopup);
        auto *menu = new QMenu(addButton);
        // Apps start and quit while the block is open: ask again each time.
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillAddMenu(menu); });
        addButton->setMenu(menu);
        row->addWidget(addButton);
    }
    row->addStretch();
    auto *restore = new QPushButton(QStringLiteral("Restore defaults"));
    SecondaryButtonStyle::apply(restore);
    restore->setFont(TextStyle::font(12));
    connect(restore, &QPushButton::clicked, this, &PrivateAppsBlock::restoreDefaults);
    row->addWidget(restore);
    return box;
}

QList<RunningApp> PrivateAppsBlock::addable() const
{
    return SettingsRules::addableApps(
        m_env.runningApps ? m_env.runningApps() : QList<RunningApp> {}, Prefs::privateBundleIDs(),
        m_env.ownID);
}

void PrivateAppsBlock::fillAddMenu(QMenu *menu)
{
    menu->clear();
    const QList<RunningApp> apps = addable();
    if (apps.isEmpty())
        menu->addAction(QStringLiteral("Every running app is already private"))->setEnabled(false);
    for (const RunningApp &app : apps) {
        const QString id = app.bundleID;
        menu->addAction(app.name + QStringLiteral(" · ") + id, this, [this, id] { add(id); });
    }
}
