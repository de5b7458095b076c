#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

/// An off-duty stretch under way: it is written to the day file only when it
/// ends, so until then it lives here.
struct OffDutyStretch
{
    QDateTime since;
    QString reason;
    std::optional<QDateTime> until; // none: until the next unlock

    bool operator==(const OffDutyStretch &) const = default;
};

/// What the session holds between two day-file writes and a restart must find
/// again: the period under way with its frames, the periods the judge has not
/// answered yet, and an off-duty stretch under way. Kept in root/session.json,
/// beside the day files, so that the day-file format stays as it is.
struct ResumeState
{
    /// The period under way; `thingID`, `start` and `frames` are what count.
    std::optional<HourRecord> period;
    std::optional<QDateTime> lastCaptureAt;
    /// Closed periods handed to the judge, stored in the day file once it answers.
    QList<HourRecord> judging;
    std::optional<OffDutyStretch> offDuty;

    bool operator==(const ResumeState &) const = default;
};

namespace ResumeFile {

QString path(const QString &root);
/// The state last saved under `root`; empty when there is none or it cannot be
/// read (then logged, and kept aside so that the next save does not hide it).
ResumeState load(const QString &root);
/// Replaces the file atomically; an empty state removes it.
bool save(const QString &root, const ResumeState &state);

QByteArray encode(const ResumeState &state);
std::optional<ResumeState> decode(const QByteArray &bytes);

} // namespace ResumeFile
