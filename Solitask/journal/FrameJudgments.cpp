#include "Solitask/journal/FrameJudgments.h"

#include "SolitaskCore/Formatters.h"

std::optional<FrameJudgment> frameJudgment(const HourRecord &hour, const FrameMeta &frame,
                                           qsizetype index, const Calendar &calendar)
{
    if (!hour.result)
        return std::nullopt;
    const QList<FrameJudgment> &judged = hour.result->frames;
    if (judged.size() == hour.frames.size() && index >= 0 && index < judged.size())
        return judged[index];
    const QString t = Formatters::hm(frame.time, calendar);
    for (const FrameJudgment &judgment : judged) {
        if (judgment.t == t)
            return judgment;
    }
    return std::nullopt;
}
