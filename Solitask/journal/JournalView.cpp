#include "Solitask/journal/FloatingWindow.h"
#include "Solitask/journal/JournalView.h"

#include "Solitask/journal/JournalSession.h"
#include "Solitask/journal/PracticeView.h"
#include "Solitask/journal/TodayView.h"
#include "Solitask/session/Clock.h"
#include "Solitask/ui/FilledBar.h"
#include "Solitask/ui/Hairline.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/SegmentedPill.h"
#include "Solitask/ui/WindowCard.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
QWidget *padded(QWidget *content)
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(28, 22, 28, 26);
    layout->addWidget(content);
    return box;
}
} // namespace

JournalView::JournalView(JournalSession &session, const Clock &clock, Scheduler &scheduler,
                         QWidget *parent)
    : Wallpaper(parent)
    , m_session(session)
    , m_clock(clock)
    , m_scheduler(scheduler)
    , m_now(clock.now())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addWidget(new WindowCard(12, Qt::white, card()));
    rebuild();
    connect(&session, &JournalSession::revisionChanged, this, &JournalView::refresh,
            Qt::QueuedConnection);
    QPointer<JournalView> self(this);
    m_minute = scheduler.repeating(60, [self] {
        if (self)
            self->refresh();
    });
}

JournalView::~JournalView()
{
    m_scheduler.cancel(m_minute);
}

QWidget *JournalView::card()
{
    auto *content = new QWidget;
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *header = new FilledBar(Palette::panel(), 48);
    auto *row = new QHBoxLayout(header);
    m_pill = new SegmentedPill({{int(JournalTab::today), QStringLiteral("Today")},
                                {int(JournalTab::practice), QStringLiteral("Practice")}},
                               int(m_tab));
    row->addWidget(m_pill, 0, Qt::AlignCenter);
    connect(m_pill, &SegmentedPill::selectionChanged, this,
            [this](const QVariant &value) { setTab(JournalTab(value.toInt())); });
    column->addWidget(header);
    column->addWidget(new Hairline);
    m_scroll = new QScrollArea;
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FloatingWindow::slimScrollBars(m_scroll);
    m_scroll->viewport()->setAutoFillBackground(false);
    column->addWidget(m_scroll, 1);
    return content;
}

void JournalView::setTab(JournalTab tab)
{
    m_pill->setSelection(int(tab));
    if (tab == m_tab)
        return;
    m_tab = tab;
    rebuild();
}

void JournalView::rebuild()
{
    QWidget *view = m_tab == JournalTab::today
        ? static_cast<QWidget *>(new TodayView(m_session, m_now))
        : static_cast<QWidget *>(new PracticeView(m_session.store(), m_now));
    view->setAutoFillBackground(false);
    m_scroll->setWidget(padded(view));
    m_scroll->widget()->setAutoFillBackground(false);
}

void JournalView::refresh()
{
    m_now = m_clock.now();
    if (TodayView *view = today())
        view->reload(m_now);
    if (PracticeView *view = practice())
        view->reload(m_now);
}

TodayView *JournalView::today() const
{
    return m_scroll->widget() ? m_scroll->widget()->findChild<TodayView *>() : nullptr;
}

PracticeView *JournalView::practice() const
{
    return m_scroll->widget() ? m_scroll->widget()->findChild<PracticeView *>() : nullptr;
}
