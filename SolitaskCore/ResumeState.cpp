#include "SolitaskCore/ResumeState.h"

#include "SolitaskCore/DayLogJson.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/FileSafety.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

constexpr qint64 maxFileBytes = 16 * 1024 * 1024;

QJsonObject toJson(const OffDutyStretch &stretch)
{
    QJsonObject object {{QStringLiteral("since"), DayLogJson::instantText(stretch.since)},
        {QStringLiteral("reason"), stretch.reason}};
    if (stretch.until)
        object.insert(QStringLiteral("until"), DayLogJson::instantText(*stretch.until));
    return object;
}

std::optional<QDateTime> instant(const QJsonValue &value)
{
    const QDateTime at = DayLogJson::parseInstant(value.toString());
    return at.isValid() ? std::optional(at) : std::nullopt;
}

std::optional<HourRecord> hour(const QJsonValue &value)
{
    auto decoded = DayLogJson::decodeHour(value);
    if (auto *hour = std::get_if<HourRecord>(&decoded))
        return *hour;
    return std::nullopt;
}

std::optional<OffDutyStretch> stretch(const QJsonObject &object)
{
    const auto since = instant(object.value(QStringLiteral("since")));
    const QJsonValue reason = object.value(QStringLiteral("reason"));
    if (!since || !reason.isString())
        return std::nullopt;
    OffDutyStretch stretch {*since, reason.toString(), std::nullopt};
    if (object.contains(QStringLiteral("until"))) {
        stretch.until = instant(object.value(QStringLiteral("until")));
        if (!stretch.until)
            return std::nullopt;
    }
    return stretch;
}

bool isEmpty(const ResumeState &state)
{
    return !state.period && state.judging.isEmpty() && !state.offDuty;
}

} // namespace

namespace ResumeFile {

QString path(const QString &root)
{
    return QDir(root).filePath(QStringLiteral("session.json"));
}

QByteArray encode(const ResumeState &state)
{
    QJsonObject object;
    if (state.period)
        object.insert(QStringLiteral("period"), DayLogJson::toJson(*state.period));
    if (state.lastCaptureAt)
        object.insert(
            QStringLiteral("lastCaptureAt"), DayLogJson::instantText(*state.lastCaptureAt));
    QJsonArray judging;
    for (const HourRecord &hour : state.judging)
        judging.append(DayLogJson::toJson(hour));
    object.insert(QStringLiteral("judging"), judging);
    if (state.offDuty)
        object.insert(QStringLiteral("offDuty"), toJson(*state.offDuty));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

// All or nothing: a state that is partly wrong is not resumed from.
std::optional<ResumeState> decode(const QByteArray &bytes)
{
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    ResumeState state;
    if (object.contains(QStringLiteral("period"))) {
        state.period = hour(object.value(QStringLiteral("period")));
        if (!state.period)
            return std::nullopt;
    }
    if (object.contains(QStringLiteral("lastCaptureAt"))) {
        state.lastCaptureAt = instant(object.value(QStringLiteral("lastCaptureAt")));
        if (!state.lastCaptureAt)
            return std::nullopt;
    }
    for (const QJsonValue &value : object.value(QStringLiteral("judging")).toArray()) {
        const auto judged = hour(value);
        if (!judged)
            return std::nullopt;
        state.judging.append(*judged);
    }
    if (object.contains(QStringLiteral("offDuty"))) {
        state.offDuty = stretch(object.value(QStringLiteral("offDuty")).toObject());
        if (!state.offDuty)
            return std::nullopt;
    }
    return state;
}

ResumeState load(const QString &root)
{
    QFile file(path(root));
    if (!file.exists())
        return {};
    std::optional<ResumeState> state;
    if (file.size() <= maxFileBytes && file.open(QIODevice::ReadOnly))
        state = decode(file.readAll());
    if (state)
        return *state;
    const QString kept = FileSafety::keepAside(file.fileName(), QStringLiteral(".unreadable"));
    Diag::log(QStringLiteral("session: cannot read session.json (kept as %1)")
                  .arg(QFileInfo(kept).fileName()));
    return {};
}

bool save(const QString &root, const ResumeState &state)
{
    if (isEmpty(state))
        return !QFile::exists(path(root)) || QFile::remove(path(root));
    if (FileSafety::writeAtomically(path(root), encode(state)))
        return true;
    Diag::log(QStringLiteral("session: cannot write session.json"));
    return false;
}

} // namespace ResumeFile
