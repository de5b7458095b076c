#pragma once

#include <QAbstractButton>

/// A switch: a lilac track with a white knob when on, a pale track when off.
class SwitchToggle : public QAbstractButton
{
    Q_OBJECT

public:
    explicit SwitchToggle(bool on, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
