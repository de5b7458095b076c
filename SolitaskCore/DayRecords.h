#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/Enums.h"
#include "SolitaskCore/Until.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The records of one day, plain values with field-wise equality. Field names
// are the JSON keys. Instants are UTC QDateTimes with millisecond precision.

/// One declared solitask.
struct Thing
{
    QString id;
    QString text;
    QDateTime declaredAt;
    Until until;
    std::optional<QDateTime> closedAt;
    std::optional<Outcome> outcome;
    std::optional<SwitchReason> switchReason;

    bool isOpen() const { return !closedAt.has_value(); }
    bool operator==(const Thing &) const = default;
};

struct OffDutyRecord
{
    QDateTime start;
    QDateTime end;
    QString reason;

    bool operator==(const OffDutyRecord &) const = default;
};

struct BailRecord
{
    QDateTime at;

    bool operator==(const BailRecord &) const = default;
};

/// One capture attempt.
struct FrameMeta
{
    QString id;
    QDateTime time;
    QString appName;
    QString bundleID;
    QString windowTitle;
    std::optional<SkipReason> skipped;
    std::optional<QString> file;

    bool isUsable() const { return !skipped.has_value() && file.has_value(); }
    /// "09:42 · Xcode — Parser notes", "09:42 · skipped (on a call)".
    QString caption(const Calendar &calendar = Calendar::system()) const;
    bool operator==(const FrameMeta &) const = default;
};

struct FrameJudgment
{
    QString t;
    QString label;
    Relation relation = Relation::skipped;

    bool operator==(const FrameJudgment &) const = default;
};

/// The judge's answer for one period, after normalisation.
struct JudgeResult
{
    Verdict verdict = Verdict::unclear;
    QList<FrameJudgment> frames;
    QStringList threads;
    Switching switching = Switching::low;
    QString nudge;
    double confidence = 0;

    bool operator==(const JudgeResult &) const = default;
};

/// One witnessed period of a single Thing.
struct HourRecord
{
    QString id;
    QString thingID;
    QDateTime start;
    QDateTime end;
    QList<FrameMeta> frames;
    qint64 switches = 0;
    qint64 distinctApps = 0;
    bool partial = false;
    HourStatus status = HourStatus::unwitnessed;
    std::optional<JudgeResult> result;
    std::optional<Correction> correction;
    std::optional<QString> model;
    std::optional<double> costUSD;
    std::optional<qint64> durationMs;
    std::optional<QString> error;

    std::optional<Verdict> effectiveVerdict() const;
    int usableFrameCount() const;
    bool countsAsAligned() const;
    bool operator==(const HourRecord &) const = default;
};

/// Everything remembered about one local day.
struct DayLog
{
    QString date;
    QList<Thing> things;
    QList<HourRecord> hours;
    QList<OffDutyRecord> offDuty;
    QList<BailRecord> bails;

    static DayLog empty(const QString &date);
    bool operator==(const DayLog &) const = default;
};
