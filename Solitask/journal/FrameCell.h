#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QWidget>

#include <functional>
#include <optional>

class FrameTile;

/// One frame of the sheet: its picture (or caption), the caption again below,
/// and the judge's relation and label when the judge spoke about it.
class FrameCell : public QWidget
{
    Q_OBJECT

public:
    using Locate = std::function<std::optional<QString>(const FrameMeta &)>;

    FrameCell(const FrameMeta &frame, const std::optional<FrameJudgment> &judgment,
              QWidget *parent = nullptr);

    /// Starts reading the picture in the background, once.
    void requestImage(const Locate &locate);
    bool imageRequested() const { return m_requested; }
    FrameTile *tile() const { return m_tile; }

Q_SIGNALS:
    /// The background read finished (with or without a picture).
    void imageSettled();

private:
    FrameMeta m_frame;
    FrameTile *m_tile;
    bool m_requested = false;
};
