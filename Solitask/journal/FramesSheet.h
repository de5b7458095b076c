#pragma once

#include "Solitask/journal/FrameCell.h"
#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/DayRecords.h"

#include <QDialog>
#include <QList>

class QScrollArea;

/// Every frame of one witnessed hour, as a sheet over the journal. Pictures
/// are read in the background, and only for cells that are scrolled into view.
class FramesSheet : public QDialog
{
    Q_OBJECT

public:
    FramesSheet(const HourRecord &hour, const QString &thingText, FrameCell::Locate locate,
                const Calendar &calendar = Calendar::system(), QWidget *parent = nullptr);

    const QList<FrameCell *> &cells() const { return m_cells; }
    /// Asks for the pictures of the cells now in view.
    void loadVisible();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *header(const HourRecord &hour, const QString &thingText, const Calendar &calendar);
    QWidget *body(const HourRecord &hour, const Calendar &calendar);
    QWidget *footer(const HourRecord &hour);

    FrameCell::Locate m_locate;
    QScrollArea *m_scroll = nullptr;
    QList<FrameCell *> m_cells;
};
