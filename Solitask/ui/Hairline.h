#pragma once

#include <QColor>
#include <QWidget>

/// A full-width rule, 1 point of the hairline colour unless told otherwise.
class Hairline : public QWidget
{
    Q_OBJECT

public:
    explicit Hairline(QWidget *parent = nullptr);
    Hairline(const QColor &color, qreal thickness, QWidget *parent = nullptr);

    const QColor &color() const { return m_color; }
    qreal thickness() const { return m_thickness; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
    qreal m_thickness;
};
