#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>

class QPainter;

/// A borderless text button, optionally on a capsule with a fill and a
/// 1-point border: the gate's until choices, ghost buttons and exit links.
class PlainButton : public QAbstractButton
{
    Q_OBJECT

public:
    struct Look
    {
        QFont font;
        QColor text;
        QColor fill = Qt::transparent;
        QColor border = Qt::transparent;
        qreal padX = 0;
        qreal padY = 0;
    };

    PlainButton(const QString &text, Look look, QWidget *parent = nullptr);

    const Look &look() const { return m_look; }
    void setLook(const Look &look);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintFocusRing(QPainter &p, const QRectF &r) const;

    Look m_look;
};
