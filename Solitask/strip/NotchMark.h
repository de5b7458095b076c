#pragma once

#include "Solitask/session/DotState.h"

#include <QWidget>

/// The small circle that stands for an hour or a solitask: hollow while not
/// judged, a coloured disc once judged, dashed for a quiet hour and lilac
/// for a solitask still open.
class NotchMark : public QWidget
{
    Q_OBJECT

public:
    enum class Kind { hour, quietHour, openThing };

    /// `box` is the mark's size; a hollow hour mark is drawn a point smaller.
    NotchMark(Kind kind, DotState state, qreal box, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    DotState state() const { return m_state; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintOutline(QPainter &painter, qreal diameter, qreal width, const QColor &color,
                      bool dashed);

    Kind m_kind;
    DotState m_state;
    qreal m_box;
};
