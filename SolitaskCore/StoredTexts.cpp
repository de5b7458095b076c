#include "SolitaskCore/StoredTexts.h"

namespace StoredTexts {
namespace {

void clip(QString &text, qsizetype limit)
{
    text = clipped(text, limit);
}

void clip(std::optional<QString> &text, qsizetype limit)
{
    if (text)
        clip(*text, limit);
}

void clip(FrameMeta &frame)
{
    clip(frame.id, labelChars);
    clip(frame.appName, labelChars);
    clip(frame.bundleID, labelChars);
    clip(frame.windowTitle, textChars);
    clip(frame.file, labelChars);
}

void clip(JudgeResult &result)
{
    if (result.frames.size() > judgedFrames)
        result.frames.resize(judgedFrames);
    for (FrameJudgment &judgment : result.frames) {
        clip(judgment.t, labelChars);
        clip(judgment.label, labelChars);
    }
    for (QString &thread : result.threads)
        clip(thread, labelChars);
    clip(result.nudge, textChars);
}

} // namespace

QString clipped(const QString &text, qsizetype limit)
{
    if (text.size() <= limit)
        return text;
    qsizetype end = limit;
    if (end > 0 && text.at(end - 1).isHighSurrogate())
        --end;
    return text.left(end);
}

HourRecord bounded(HourRecord hour)
{
    clip(hour.id, labelChars);
    clip(hour.thingID, labelChars);
    for (FrameMeta &frame : hour.frames)
        clip(frame);
    if (hour.result)
        clip(*hour.result);
    clip(hour.model, labelChars);
    clip(hour.error, errorChars);
    return hour;
}

Thing bounded(Thing thing)
{
    clip(thing.id, labelChars);
    clip(thing.text, textChars);
    return thing;
}

OffDutyRecord bounded(OffDutyRecord record)
{
    clip(record.reason, labelChars);
    return record;
}

} // namespace StoredTexts
