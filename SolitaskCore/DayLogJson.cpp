#include "SolitaskCore/DayLogJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

// ---- encoding ----

template<typename T>
void putOptional(QJsonObject &object, const QString &key, const std::optional<T> &value)
{
    if (!value)
        return;
    if constexpr (std::is_same_v<T, QDateTime>)
        object.insert(key, DayLogJson::instantText(*value));
    else if constexpr (std::is_enum_v<T>)
        object.insert(key, rawValue(*value));
    else
        object.insert(key, *value);
}

template<typename T, typename F>
QJsonArray arrayOf(const QList<T> &items, F toJson)
{
    QJsonArray array;
    for (const T &item : items)
        array.append(toJson(item));
    return array;
}

QJsonObject toJson(const OffDutyRecord &record)
{
    return {{QStringLiteral("start"), DayLogJson::instantText(record.start)},
            {QStringLiteral("end"), DayLogJson::instantText(record.end)},
            {QStringLiteral("reason"), record.reason}};
}

QJsonObject toJson(const BailRecord &record)
{
    return {{QStringLiteral("at"), DayLogJson::instantText(record.at)}};
}

QJsonObject toJson(const FrameJudgment &judgment)
{
    return {{QStringLiteral("t"), judgment.t},
            {QStringLiteral("label"), judgment.label},
            {QStringLiteral("relation"), rawValue(judgment.relation)}};
}

// ---- decoding ----

// Thrown only inside decode(), which turns it into a DecodeError value.
struct Invalid
{
    QString reason;
};

class Fields
{
public:
    Fields(const QJsonValue &value, QString path)
        : m_path(std::move(path))
    {
        if (!value.isObject())
            fail(QString(), QStringLiteral("expected an object"));
        m_object = value.toObject();
    }

    QJsonValue required(const QString &key) const
    {
        const QJsonValue value = m_object.value(key);
        if (value.isUndefined() || value.isNull())
            fail(key, QStringLiteral("missing"));
        return value;
    }

    bool has(const QString &key) const
    {
        const QJsonValue value = m_object.value(key);
        return !value.isUndefined() && !value.isNull();
    }

    QString string(const QString &key) const
    {
        const QJsonValue value = required(key);
        if (!value.isString())
            fail(key, QStringLiteral("expected a string"));
        return value.toString();
    }

    double real(const QString &key) const
    {
        const QJsonValue value = required(key);
        if (!value.isDouble())
            fail(key, QStringLiteral("expected a number"));
        return value.toDouble();
    }

    qint64 integer(const QString &key) const
    {
        const QJsonValue value = required(key);
        constexpr qint64 a = std::numeric_limits<qint64>::min();
        constexpr qint64 b = std::numeric_limits<qint64>::max();
        // toInteger answers its default for a number that is not integral.
        if (!value.isDouble() || value.toInteger(a) != value.toInteger(b))
            fail(key, QStringLiteral("expected an integer"));
        return value.toInteger();
    }

    bool flag(const QString &key) const
    {
        const QJsonValue value = required(key);
        if (!value.isBool())
            fail(key, QStringLiteral("expected true or false"));
        return value.toBool();
    }

    QDateTime instant(const QString &key) const
    {
        const QString text = string(key);
        const QDateTime parsed = DayLogJson::parseInstant(text);
        if (!parsed.isValid())
            fail(key, QStringLiteral("not an ISO 8601 date-time with whole seconds: ") + text);
        return parsed;
    }

    template<typename E>
    E enumeration(const QString &key) const
    {
        const QString text = string(key);
        const std::optional<E> value = fromRawValue<E>(text);
        if (!value)
            fail(key, QStringLiteral("unknown value \"%1\"").arg(text));
        return *value;
    }

    QJsonArray array(const QString &key) const
    {
        const QJsonValue value = required(key);
        if (!value.isArray())
            fail(key, QStringLiteral("expected an array"));
        return value.toArray();
    }

    template<typename T, typename Member>
    std::optional<T> optional(const QString &key, Member read) const
    {
        if (!has(key))
            return std::nullopt;
        return (this->*read)(key);
    }

    QString path(const QString &key) const
    {
        if (key.isEmpty())
            return m_path.isEmpty() ? QStringLiteral("(root)") : m_path;
        return m_path.isEmpty() ? key : m_path + u'.' + key;
    }

    [[noreturn]] void fail(const QString &key, const QString &why) const
    {
        throw Invalid{path(key) + QStringLiteral(": ") + why};
    }

    const QJsonObject &object() const { return m_object; }

private:
    QString m_path;
    QJsonObject m_object;
};

template<typename T, typename F>
QList<T> listOf(const Fields &fields, const QString &key, F decodeOne)
{
    const QJsonArray array = fields.array(key);
    QList<T> items;
    items.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i)
        items.append(decodeOne(array.at(i), fields.path(key) + QStringLiteral("[%1]").arg(i)));
    return items;
}

Until decodeUntil(const QJsonValue &value, const QString &path)
{
    const Fields fields(value, path);
    const QJsonObject &object = fields.object();
    const QStringList cases = {QStringLiteral("untilDone"), QStringLiteral("hours"),
                               QStringLiteral("at")};
    int present = 0;
    for (const QString &name : cases)
        present += object.contains(name) ? 1 : 0;
    if (present != 1)
        fields.fail(QString(), QStringLiteral("Invalid number of keys found, expected one."));
    if (object.contains(cases[0])) {
        Fields(object.value(cases[0]), fields.path(cases[0]));
        return Until::untilDone();
    }
    if (object.contains(cases[1]))
        return Until::hours(Fields(object.value(cases[1]), fields.path(cases[1])).real("_0"));
    return Until::at(Fields(object.value(cases[2]), fields.path(cases[2])).instant("_0"));
}

Thing decodeThing(const QJsonValue &value, const QString &path)
{
    const Fields f(value, path);
    Thing thing;
    thing.id = f.string("id");
    thing.text = f.string("text");
    thing.declaredAt = f.instant("declaredAt");
    thing.until = decodeUntil(f.required("until"), f.path("until"));
    thing.closedAt = f.optional<QDateTime>("closedAt", &Fields::instant);
    thing.outcome = f.optional<Outcome>("outcome", &Fields::enumeration<Outcome>);
    thing.switchReason
        = f.optional<SwitchReason>("switchReason", &Fields::enumeration<SwitchReason>);
    return thing;
}

FrameMeta decodeFrame(const QJsonValue &value, const QString &path)
{
    const Fields f(value, path);
    FrameMeta frame;
    frame.id = f.string("id");
    frame.time = f.instant("time");
    frame.appName = f.string("appName");
    frame.bundleID = f.string("bundleID");
    frame.windowTitle = f.string("windowTitle");
    frame.skipped = f.optional<SkipReason>("skipped", &Fields::enumeration<SkipReason>);
    frame.file = f.optional<QString>("file", &Fields::string);
    return frame;
}

FrameJudgment decodeJudgment(const QJsonValue &value, const QString &path)
{
    const Fields f(value, path);
    return {f.string("t"), f.string("label"), f.enumeration<Relation>("relation")};
}

QString decodeText(const QJsonValue &value, const QString &path)
{
    if (!value.isString())
        throw Invalid{path + QStringLiteral(": expected a string")};
    return value.toString();
}

JudgeResult decodeResult(const QJsonValue &value, const QString &path)
{
    const Fields f(value, path);
    JudgeResult result;
    result.verdict = f.enumeration<Verdict>("verdict");
    result.frames = listOf<FrameJudgment>(f, "frames", decodeJudgment);
    result.threads = listOf<QString>(f, "threads", decodeText);
    result.switching = f.enumeration<Switching>("switching");
    result.nudge = f.string("nudge");
    result.confidence = f.real("confidence");
    return result;
}

HourRecord decodeHour(const QJsonValue &value, const QString &path)
{
    const Fields f(value, path);
    HourRecord hour;
    hour.id = f.string("id");
    hour.thingID = f.string("thingID");
    hour.start = f.instant("start");
    hour.end = f.instant("end");
    hour.frames = listOf<FrameMeta>(f, "frames", decodeFrame);
    hour.switches = f.integer("switches");
    hour.distinctApps = f.integer("distinctApps");
    hour.partial = f.flag("partial");
    hour.status = f.enumeration<HourStatus>("status");
    if (f.has("result"))
        hour.result = decodeResult(f.required("result"), f.path("result"));
    hour.correction = f.optional<Correction>("correction", &Fields::enumeration<Correction>);
    hour.model = f.optional<QString>("model", &Fields::string);
    hour.costUSD = f.optional<double>("costUSD", &Fields::real);
    hour.durationMs = f.optional<qint64>("durationMs", &Fields::integer);
    hour.error = f.optional<QString>("error", &Fields::string);
    return hour;
}

OffDutyRecord decodeOffDuty(const QJsonValue &value, const QString &path)
{
    const Fields f(value, path);
    return {f.instant("start"), f.instant("end"), f.string("reason")};
}

BailRecord decodeBail(const QJsonValue &value, const QString &path)
{
    return {Fields(value, path).instant("at")};
}

DayLog decodeDay(const QJsonValue &value)
{
    const Fields f(value, QString());
    DayLog log;
    log.date = f.string("date");
    log.things = listOf<Thing>(f, "things", decodeThing);
    log.hours = listOf<HourRecord>(f, "hours", decodeHour);
    log.offDuty = listOf<OffDutyRecord>(f, "offDuty", decodeOffDuty);
    log.bails = listOf<BailRecord>(f, "bails", decodeBail);
    return log;
}

} // namespace

namespace DayLogJson {

QString instantText(const QDateTime &instant)
{
    // Qt::ISODate writes whole seconds and "Z" for UTC.
    return instant.toUTC().toString(Qt::ISODate);
}

QDateTime parseInstant(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral(
        R"(^\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}(Z|[+-]\d{2}:\d{2})$)"));
    if (!shape.match(text).hasMatch())
        return {};
    const QDateTime parsed = QDateTime::fromString(text, Qt::ISODate);
    return parsed.isValid() ? parsed.toUTC() : QDateTime();
}

QJsonObject toJson(const Until &until)
{
    switch (until.kind()) {
    case Until::Kind::untilDone:
        return {{QStringLiteral("untilDone"), QJsonObject()}};
    case Until::Kind::hours:
        return {{QStringLiteral("hours"), QJsonObject{{QStringLiteral("_0"), until.hoursValue()}}}};
    case Until::Kind::at:
        return {{QStringLiteral("at"),
                 QJsonObject{{QStringLiteral("_0"), instantText(until.atValue())}}}};
    }
    return {};
}

QJsonObject toJson(const Thing &thing)
{
    QJsonObject object{{QStringLiteral("id"), thing.id},
                       {QStringLiteral("text"), thing.text},
                       {QStringLiteral("declaredAt"), instantText(thing.declaredAt)},
                       {QStringLiteral("until"), toJson(thing.until)}};
    putOptional(object, QStringLiteral("closedAt"), thing.closedAt);
    putOptional(object, QStringLiteral("outcome"), thing.outcome);
    putOptional(object, QStringLiteral("switchReason"), thing.switchReason);
    return object;
}

QJsonObject toJson(const FrameMeta &frame)
{
    QJsonObject object{{QStringLiteral("id"), frame.id},
                       {QStringLiteral("time"), instantText(frame.time)},
                       {QStringLiteral("appName"), frame.appName},
                       {QStringLiteral("bundleID"), frame.bundleID},
                       {QStringLiteral("windowTitle"), frame.windowTitle}};
    putOptional(object, QStringLiteral("skipped"), frame.skipped);
    putOptional(object, QStringLiteral("file"), frame.file);
    return object;
}

QJsonObject toJson(const JudgeResult &result)
{
    return {{QStringLiteral("verdict"), rawValue(result.verdict)},
            {QStringLiteral("frames"), arrayOf(result.frames, [](const FrameJudgment &j) { return ::toJson(j); })},
            {QStringLiteral("threads"), QJsonArray::fromStringList(result.threads)},
            {QStringLiteral("switching"), rawValue(result.switching)},
            {QStringLiteral("nudge"), result.nudge},
            {QStringLiteral("confidence"), result.confidence}};
}

QJsonObject toJson(const HourRecord &hour)
{
    QJsonObject object{
        {QStringLiteral("id"), hour.id},
        {QStringLiteral("thingID"), hour.thingID},
        {QStringLiteral("start"), instantText(hour.start)},
        {QStringLiteral("end"), instantText(hour.end)},
        {QStringLiteral("frames"),
         arrayOf(hour.frames, [](const FrameMeta &f) { return toJson(f); })},
        {QStringLiteral("switches"), hour.switches},
        {QStringLiteral("distinctApps"), hour.distinctApps},
        {QStringLiteral("partial"), hour.partial},
        {QStringLiteral("status"), rawValue(hour.status)}};
    if (hour.result)
        object.insert(QStringLiteral("result"), toJson(*hour.result));
    putOptional(object, QStringLiteral("correction"), hour.correction);
    putOptional(object, QStringLiteral("model"), hour.model);
    putOptional(object, QStringLiteral("costUSD"), hour.costUSD);
    putOptional(object, QStringLiteral("durationMs"), hour.durationMs);
    putOptional(object, QStringLiteral("error"), hour.error);
    return object;
}

QJsonObject toJson(const DayLog &log)
{
    return {{QStringLiteral("date"), log.date},
            {QStringLiteral("things"),
             arrayOf(log.things, [](const Thing &t) { return toJson(t); })},
            {QStringLiteral("hours"),
             arrayOf(log.hours, [](const HourRecord &h) { return toJson(h); })},
            {QStringLiteral("offDuty"),
             arrayOf(log.offDuty, [](const OffDutyRecord &r) { return ::toJson(r); })},
            {QStringLiteral("bails"),
             arrayOf(log.bails, [](const BailRecord &b) { return ::toJson(b); })}};
}

QByteArray encode(const DayLog &log)
{
    // QJsonObject keeps its keys sorted, which gives the sorted-key layout.
    return QJsonDocument(toJson(log)).toJson(QJsonDocument::Indented);
}

Decoded<DayLog> decode(const QByteArray &bytes)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return DecodeError{QStringLiteral("invalid JSON at offset %1: %2")
                               .arg(parseError.offset)
                               .arg(parseError.errorString())};
    try {
        return decodeDay(document.isObject() ? QJsonValue(document.object()) : QJsonValue());
    } catch (const Invalid &invalid) {
        return DecodeError{invalid.reason};
    }
}

} // namespace DayLogJson
