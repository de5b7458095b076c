#include "Solitask/journal/ThumbGrid.h"

#include "Solitask/journal/FrameJudgments.h"
#include "Solitask/journal/RelationTint.h"
#include "Solitask/ui/Palette.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int columns = 3;
constexpr int maxTiles = 6;
constexpr qreal tileW = 26;
constexpr qreal tileH = 17;
constexpr qreal gap = 2;
constexpr qreal pad = 3;

void fillRounded(QPainter &p, const QRectF &r, qreal radius, const QColor &color)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    p.fillPath(path, color);
}
} // namespace

ThumbGrid::ThumbGrid(const HourRecord &hour, const Calendar &calendar, QWidget *parent)
    : QWidget(parent)
{
    const qsizetype shown = std::min<qsizetype>(hour.frames.size(), maxTiles);
    for (qsizetype i = 0; i < shown; ++i) {
        const auto judgment = frameJudgment(hour, hour.frames[i], i, calendar);
        m_tiles.append(RelationTint::of(judgment ? std::optional(judgment->relation)
                                                 : std::nullopt).tile);
    }
    if (hour.frames.isEmpty())
        m_tiles.fill(Palette::tileNeutral(), maxTiles);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

int ThumbGrid::rows() const
{
    return std::max<int>(1, (int(m_tiles.size()) + columns - 1) / columns);
}

QSize ThumbGrid::sizeHint() const
{
    const int r = rows();
    return {int(columns * tileW + (columns - 1) * gap + 2 * pad),
            int(r * tileH + (r - 1) * gap + 2 * pad)};
}

void ThumbGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QSizeF grid = sizeHint();
    const QPointF origin((width() - grid.width()) / 2, (height() - grid.height()) / 2);
    fillRounded(p, QRectF(origin, grid), 5, Palette::withOpacity(Palette::wash(), 0.05));
    for (int i = 0; i < m_tiles.size(); ++i) {
        const QPointF at = origin
            + QPointF(pad + (i % columns) * (tileW + gap), pad + (i / columns) * (tileH + gap));
        fillRounded(p, QRectF(at, QSizeF(tileW, tileH)), 3, m_tiles[i]);
    }
}
