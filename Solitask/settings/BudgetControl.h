#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QSlider;

/// The per-call quota: a slider from $0.10 to $1.00 in cents with its value
/// beside it. Dragging writes as it moves; letting go announces the change.
class BudgetControl : public QWidget
{
    Q_OBJECT

public:
    explicit BudgetControl(std::function<void()> onChange, QWidget *parent = nullptr);

    QSlider *slider() const { return m_slider; }
    QString valueText() const;

private:
    void write(int cents);

    std::function<void()> m_onChange;
    QSlider *m_slider;
    QLabel *m_value;
};
