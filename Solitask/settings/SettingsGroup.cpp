#include "Solitask/settings/SettingsGroup.h"

#include "Solitask/journal/TextLabel.h"
#include "Solitask/settings/SettingsCard.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QLabel>
#include <QVBoxLayout>

SettingsGroup::SettingsGroup(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_card(new SettingsCard)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    auto *name = textLabel(title.toUpper(), 11, Palette::lilac(), QFont::Medium);
    name->setFont(TextStyle::font(11, QFont::Medium, 1.8));
    name->setContentsMargins(2, 0, 0, 0);
    column->addWidget(name);
    column->addWidget(m_card);
}
