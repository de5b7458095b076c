#include "Solitask/settings/SettingsRow.h"

#include "Solitask/journal/TextLabel.h"
#include "Solitask/ui/Palette.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

SettingsRow::SettingsRow(const QString &label, const QString &sub, QWidget *control,
                         QWidget *parent)
    : QWidget(parent)
    , m_label(textLabel(label, 13, Palette::ink()))
    , m_control(control)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(14, 11, 14, 11);
    row->setSpacing(16);
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(m_label);
    if (!sub.isEmpty()) {
        m_sub = textLabel(sub, 11, Palette::ink3());
        m_sub->setWordWrap(true);
        texts->addWidget(m_sub);
    }
    row->addLayout(texts, 1);
    if (control)
        row->addWidget(control, 0, Qt::AlignVCenter | Qt::AlignRight);
    setMinimumHeight(44);
}

QString SettingsRow::label() const
{
    return m_label->text();
}
