#pragma once

#include <QColor>
#include <QWidget>

/// A bar filled with one colour. It paints its fill instead of auto-filling
/// its background: an auto-filled widget counts as opaque, so its parents skip
/// painting underneath it, and a rounded card that clips it then leaves
/// unpainted (black) corners.
class FilledBar : public QWidget
{
    Q_OBJECT

public:
    FilledBar(const QColor &color, int height, QWidget *parent = nullptr);

    const QColor &color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
};
