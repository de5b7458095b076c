#pragma once

#include "Solitask/journal/HourActions.h"
#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/DayRecords.h"

#include <QDateTime>
#include <QWidget>

class QGridLayout;

/// What the judge said about one hour: the sentence with the correction menu,
/// the threads and switches, and what the witness saw.
class JudgedHourRows : public QWidget
{
    Q_OBJECT

public:
    struct Context
    {
        QDateTime now;
        int retentionHours = 24;
        Calendar calendar;
        HourActions actions;
    };

    JudgedHourRows(const HourRecord &hour, const QString &thingText, const Context &context,
                   QWidget *parent = nullptr);

private:
    void addRow(const QString &label, QWidget *content, Qt::Alignment labelAlign = Qt::AlignTop);
    QWidget *sentenceRow(const HourRecord &hour, const Context &context);
    QWidget *threadsRow(const HourRecord &hour);
    QWidget *sawRow(const HourRecord &hour, const QString &thingText, const Context &context);

    QGridLayout *m_grid;
};
