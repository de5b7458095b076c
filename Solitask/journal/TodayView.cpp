#include "Solitask/journal/TodayView.h"

#include "Solitask/journal/DF.h"
#include "Solitask/journal/FramesSheet.h"
#include "Solitask/journal/JournalSession.h"
#include "Solitask/journal/OffDutyBand.h"
#include "Solitask/journal/TextLabel.h"
#include "Solitask/journal/ThingCard.h"
#include "Solitask/journal/TodayEntry.h"
#include "Solitask/journal/TodayTexts.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/ClearLayout.h"
#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/Practice.h"
#include "SolitaskCore/Store.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TodayView::TodayView(JournalSession &session, const QDateTime &now, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_column(new QVBoxLayout(this))
{
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(22);
    reload(now);
}

void TodayView::clear()
{
    clearLayout(m_column);
}

QWidget *TodayView::header(const QString &summary)
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    const Calendar &calendar = m_session.store().calendar();
    row->addWidget(textLabel(DF::longDay(m_now, calendar), 18, Palette::ink(), QFont::Medium), 0,
                   Qt::AlignBottom);
    row->addStretch();
    auto *text = textLabel(summary, 12, Palette::ink2());
    text->setObjectName(QStringLiteral("summary"));
    row->addWidget(text, 0, Qt::AlignBottom);
    return box;
}

void TodayView::reload(const QDateTime &now)
{
    m_now = now;
    clear();
    Store &store = m_session.store();
    const DayLog log = store.log(DayKey::key(now, store.calendar()));
    m_column->addWidget(header(TodayTexts::summary(Practice::stats(log))));
    const QList<TodayEntry> entries = TodayEntry::of(log);
    if (entries.isEmpty()) {
        auto *empty = textLabel(QStringLiteral("Nothing declared yet today."), 13, Palette::ink3());
        empty->setAlignment(Qt::AlignCenter);
        empty->setMinimumHeight(220);
        m_column->addWidget(empty);
    }
    JudgedHourRows::Context context{now, Prefs::retentionHours(), store.calendar(), {}};
    context.actions.correct = [this](const QString &id, std::optional<Correction> c) {
        m_session.correct(id, c);
    };
    context.actions.showFrames = [this](const HourRecord &hour, const QString &text) {
        showFrames(hour, text);
    };
    for (const TodayEntry &entry : entries) {
        if (const Thing *thing = entry.thing())
            m_column->addWidget(new ThingCard(*thing, store.hours(thing->id, thing->declaredAt),
                context, m_session.pendingPeriod(thing->id)));
        else
            m_column->addWidget(new OffDutyBand(*entry.offDuty(), store.calendar()));
    }
    m_column->addStretch();
}

void TodayView::showFrames(const HourRecord &hour, const QString &thingText)
{
    if (m_sheet)
        m_sheet->close();
    JournalSession *session = &m_session;
    m_sheet = new FramesSheet(
        hour, thingText, [session](const FrameMeta &frame) { return session->frameURL(frame); },
        m_session.store().calendar(), window());
    m_sheet->setAttribute(Qt::WA_DeleteOnClose);
    m_sheet->open();
}
