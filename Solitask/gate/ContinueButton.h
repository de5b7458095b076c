#pragma once

#include <QAbstractButton>

/// The resume face's main button: a mint dot, "Yes, continue" and a return
/// mark on a lilac tile. Return presses it.
class ContinueButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit ContinueButton(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    qreal contentWidth() const;
};
