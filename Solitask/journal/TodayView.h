#pragma once

#include "Solitask/journal/FramesSheet.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>

class JournalSession;
class QVBoxLayout;
struct HourRecord;

/// The day as the person lived it: a card per solitask and a band per
/// off-duty interval, in time order, under the day's summary.
class TodayView : public QWidget
{
    Q_OBJECT

public:
    TodayView(JournalSession &session, const QDateTime &now, QWidget *parent = nullptr);

    /// Re-reads the store for `now`'s day and rebuilds the rows.
    void reload(const QDateTime &now);
    /// The sheet open over the journal, if any.
    FramesSheet *framesSheet() const { return m_sheet; }

private:
    void clear();
    QWidget *header(const QString &summary);
    void showFrames(const HourRecord &hour, const QString &thingText);

    JournalSession &m_session;
    QDateTime m_now;
    QVBoxLayout *m_column;
    QPointer<FramesSheet> m_sheet;
};
