#include "Solitask/journal/FrameCell.h"

#include "Solitask/journal/FrameImageLoader.h"
#include "Solitask/journal/FrameTile.h"
#include "Solitask/journal/RelationTint.h"
#include "Solitask/journal/TextLabel.h"
#include "Solitask/ui/Chip.h"
#include "Solitask/ui/Palette.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

FrameCell::FrameCell(const FrameMeta &frame, const std::optional<FrameJudgment> &judgment,
                     QWidget *parent)
    : QWidget(parent)
    , m_frame(frame)
    , m_tile(new FrameTile(frame.caption(), this))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addWidget(m_tile);
    auto *caption = textLabel(frame.caption(), 11, Palette::ink2());
    caption->setWordWrap(true);
    column->addWidget(caption);
    if (judgment) {
        const RelationTint tint = RelationTint::of(judgment->relation);
        auto *row = new QHBoxLayout;
        row->setSpacing(6);
        row->addWidget(new Chip(tint.word, tint.chipFill, tint.chipInk));
        row->addWidget(textLabel(judgment->label, 11, Palette::ink3()));
        row->addStretch();
        column->addLayout(row);
    }
    column->addStretch();
}

void FrameCell::requestImage(const Locate &locate)
{
    if (m_requested)
        return;
    m_requested = true;
    FrameImageLoader::loadAsync(locate ? locate(m_frame) : std::nullopt, this,
                                [this](const QImage &image) {
                                    if (!image.isNull())
                                        m_tile->setImage(image);
                                    Q_EMIT imageSettled();
                                });
}
