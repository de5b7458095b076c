#include "Solitask/settings/QuietHoursControl.h"

#include "Solitask/journal/TextLabel.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimeEdit>

QuietHoursControl::QuietHoursControl(std::function<void()> onChange, QWidget *parent)
    : QWidget(parent)
    , m_onChange(std::move(onChange))
    , m_start(picker(Prefs::Key::quietStartMinutes))
    , m_end(picker(Prefs::Key::quietEndMinutes))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(m_start);
    row->addWidget(textLabel(QStringLiteral("–"), 12, Palette::ink3()));
    row->addWidget(m_end);
}

QTime QuietHoursControl::timeOf(int minutes)
{
    if (minutes < 0 || minutes >= 24 * 60)
        return QTime::currentTime();
    return QTime(minutes / 60, minutes % 60);
}

QTimeEdit *QuietHoursControl::picker(const QString &key)
{
    auto *edit = new QTimeEdit(timeOf(Prefs::integer(key)));
    edit->setDisplayFormat(QStringLiteral("HH:mm"));
    TextStyle::ui(edit, 12, Palette::ink());
    connect(edit, &QTimeEdit::timeChanged, this, [this, key](const QTime &time) {
        Prefs::setValue(key, minutesOf(time));
        if (m_onChange)
            m_onChange();
    });
    return edit;
}
