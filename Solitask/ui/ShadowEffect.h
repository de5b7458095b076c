#pragma once

#include "Solitask/ui/Shadow.h"

#include <QGraphicsEffect>

#include <functional>

/// Gives a widget a rounded shape that casts a shadow beyond its bounds;
/// optionally clips the widget and its children to that shape and outlines it.
class ShadowEffect : public QGraphicsEffect
{
    Q_OBJECT

public:
    ShadowEffect(Shadow shadow, qreal cornerRadius, QObject *parent = nullptr);

    /// Clip the content to the rounded shape (cards); buttons paint their own shape.
    void setClipsContent(bool clips) { m_clips = clips; }
    /// A 1-point outline over the content; an invalid colour draws none.
    void setStroke(const QColor &color) { m_stroke = color; }
    /// Asked on every paint whether the shadow shows (e.g. only while enabled).
    void setCastsWhen(std::function<bool()> casts) { m_casts = std::move(casts); }

    const Shadow &shadow() const { return m_shadow; }
    bool castsNow() const { return !m_casts || m_casts(); }

    QRectF boundingRectFor(const QRectF &rect) const override;

protected:
    void draw(QPainter *painter) override;

private:
    QPixmap clipped(const QPixmap &pixmap) const;

    Shadow m_shadow;
    qreal m_radius;
    bool m_clips = false;
    QColor m_stroke;
    std::function<bool()> m_casts;
};
