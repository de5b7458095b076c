#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/DayRecords.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

/// Six rendered, captioned frames of a made-up working hour (a pricing
/// document, Slack, an inbox, a news site). They stand in for real captures in
/// the judge's self-test and in the dry run.
namespace SampleFrames {

struct Sample
{
    FrameMeta meta;
    QByteArray jpeg;
};

inline constexpr int defaultWidth = 784;
inline constexpr int sampleCount = 6;

/// The six samples, timed today on `calendar` at their table times.
QList<Sample> make(int width, const Calendar &calendar = Calendar::system(),
    const QDateTime &now = QDateTime::currentDateTimeUtc());

/// A JPEG of width × width·0.625 pixels: a tinted backdrop, a window card with
/// the app and title in its title bar, the title in large type, text bars.
QByteArray render(const QString &app, const QString &title, quint32 tint, int width);

/// The self-test's period: the sample Thing, the switch figures and the six
/// samples, as the one message line the judge reads.
QByteArray selfTestMessage(const QDateTime &now, const Calendar &calendar = Calendar::system());

} // namespace SampleFrames
