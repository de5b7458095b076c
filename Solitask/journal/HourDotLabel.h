#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/DayRecords.h"

#include <QColor>
#include <QWidget>

/// An hour as a coloured dot and its start time.
class HourDotLabel : public QWidget
{
    Q_OBJECT

public:
    struct Style
    {
        QColor color;
        /// A dashed outline instead of a filled dot (quiet hours).
        bool hollow = false;
        QString label;
    };

    static Style styleFor(const HourRecord &hour, const Calendar &calendar = Calendar::system());

    explicit HourDotLabel(const HourRecord &hour, const Calendar &calendar = Calendar::system(),
                          QWidget *parent = nullptr);

    const Style &style() const { return m_style; }

private:
    Style m_style;
};
