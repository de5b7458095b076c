#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <variant>

/// A decoding failure with a reason a person can read in the log, such as
/// "hours[0].partial: missing".
struct DecodeError
{
    QString reason;
};

template<typename T>
using Decoded = std::variant<T, DecodeError>;

/// The day-file format: pretty-printed JSON with sorted keys, whole-second UTC
/// instants, absent optionals left out; strict decoding, no partial recovery.
namespace DayLogJson {

QByteArray encode(const DayLog &log);
Decoded<DayLog> decode(const QByteArray &bytes);
/// A judge result on its own, with the same strict rules.
Decoded<JudgeResult> decodeResult(const QJsonValue &value);
/// One hour record on its own, with the same strict rules.
Decoded<HourRecord> decodeHour(const QJsonValue &value);

QJsonObject toJson(const DayLog &log);
QJsonObject toJson(const Thing &thing);
QJsonObject toJson(const HourRecord &hour);
QJsonObject toJson(const FrameMeta &frame);
QJsonObject toJson(const JudgeResult &result);
QJsonObject toJson(const Until &until);

/// "2026-03-02T08:15:00Z": fractions of a second are dropped.
QString instantText(const QDateTime &instant);
/// The instant of "2026-03-02T08:15:00Z" (an offset is also accepted), or an
/// invalid QDateTime for anything else, fractions of a second included.
QDateTime parseInstant(const QString &text);

} // namespace DayLogJson
