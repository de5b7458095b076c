#pragma once

#include <QColor>
#include <QWidget>

/// A small circle: filled, or outlined with a 2-on 2-off dash.
class Dot : public QWidget
{
    Q_OBJECT

public:
    Dot(qreal diameter, const QColor &color, bool hollow, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal m_diameter;
    QColor m_color;
    bool m_hollow;
};
