#pragma once

#include <QTime>
#include <QWidget>

#include <functional>

class QTimeEdit;

/// The quiet hours' start and end as two time pickers; each edit writes its
/// preference at once.
class QuietHoursControl : public QWidget
{
    Q_OBJECT

public:
    explicit QuietHoursControl(std::function<void()> onChange, QWidget *parent = nullptr);

    QTimeEdit *startEdit() const { return m_start; }
    QTimeEdit *endEdit() const { return m_end; }

    /// Minutes after midnight as a time of day; the present time when the
    /// stored number is not a time of day.
    static QTime timeOf(int minutes);
    static int minutesOf(const QTime &time) { return time.hour() * 60 + time.minute(); }

private:
    QTimeEdit *picker(const QString &key);

    std::function<void()> m_onChange;
    QTimeEdit *m_start;
    QTimeEdit *m_end;
};
