#pragma once

#include "Solitask/journal/JournalTab.h"
#include "Solitask/journal/Wallpaper.h"
#include "Solitask/session/Scheduler.h"

#include <QDateTime>

class Clock;
class JournalSession;
class PracticeView;
class QScrollArea;
class SegmentedPill;
class TodayView;

/// The journal window's content: the Today / Practice switch over the
/// selected tab, refreshed every minute and whenever the session's data changes.
class JournalView : public Wallpaper
{
    Q_OBJECT

public:
    JournalView(JournalSession &session, const Clock &clock, Scheduler &scheduler,
                QWidget *parent = nullptr);
    ~JournalView() override;

    JournalTab tab() const { return m_tab; }
    void setTab(JournalTab tab);
    /// Re-reads the clock and the store.
    void refresh();

    TodayView *today() const;
    PracticeView *practice() const;

private:
    QWidget *card();
    void rebuild();

    JournalSession &m_session;
    const Clock &m_clock;
    Scheduler &m_scheduler;
    TimerId m_minute = 0;
    JournalTab m_tab = JournalTab::today;
    QDateTime m_now;
    SegmentedPill *m_pill = nullptr;
    QScrollArea *m_scroll = nullptr;
};
