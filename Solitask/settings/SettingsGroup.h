#pragma once

#include <QString>
#include <QWidget>

class SettingsCard;

/// A titled group of settings: the title in lilac capitals over its card.
class SettingsGroup : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsGroup(const QString &title, QWidget *parent = nullptr);

    SettingsCard *card() const { return m_card; }

private:
    SettingsCard *m_card;
};
