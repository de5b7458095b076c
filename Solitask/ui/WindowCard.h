#pragma once

#include <QColor>
#include <QWidget>

/// Content on a rounded card: filled, clipped to its corners, outlined by a
/// hairline and lifted by a soft shadow.
class WindowCard : public QWidget
{
    Q_OBJECT

public:
    WindowCard(qreal radius, const QColor &fill, QWidget *content, QWidget *parent = nullptr);

    qreal radius() const { return m_radius; }
    const QColor &fill() const { return m_fill; }
    QWidget *content() const { return m_content; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal m_radius;
    QColor m_fill;
    QWidget *m_content;
};
