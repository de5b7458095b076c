#pragma once

#include "SolitaskCore/WeekStats.h"

#include <QDateTime>
#include <QWidget>

class Store;
class QVBoxLayout;

/// How the practice is going over weeks: this week's tiles, the eight-week
/// sparkline, this week's threads per hour, the trend and a reflection.
class PracticeView : public QWidget
{
    Q_OBJECT

public:
    PracticeView(Store &store, const QDateTime &now, QWidget *parent = nullptr);

    /// Re-reads the weeks ending with `now`'s week and rebuilds the tab.
    void reload(const QDateTime &now);

private:
    void clear();
    void showEmpty();
    QWidget *header(const WeekStats &week, const QList<WeekStats> &trailing,
                    const QDateTime &weekStart);
    QWidget *tiles(const WeekStats &week, const std::optional<WeekStats> &previous);
    QWidget *panels(const QList<WeekStats> &weeks, const WeekStats &week);
    QWidget *reflection(const WeekStats &week, const QList<WeekStats> &trailing,
                        const QDateTime &weekStart);

    Store &m_store;
    QVBoxLayout *m_column;
};
