#include "SolitaskCore/DayLogJson.h"

#include <QJsonArray>
#include <QJsonDocument>

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

// A field name given as a literal, looked up without building a QString.
struct Key
{
    template<std::size_t N>
    constexpr Key(const char (&literal)[N])
        : name(literal, qsizetype(N - 1))
    {
    }
    QLatin1StringView name;
};

// Where a value sits in the document ("hours[0].partial"); rendered only when
// decoding fails, so a good file pays nothing for it.
struct Path
{
    const Path *parent = nullptr;
    QLatin1StringView key;
    qsizetype index = -1;

    Path child(Key k) const { return Path{this, k.name}; }
    Path element(qsizetype i) const { return Path{this, {}, i}; }

    QString render() const
    {
        QString text = parent ? parent->render() : QString();
        if (index >= 0)
            return text + QStringLiteral("[%1]").arg(index);
        if (key.isEmpty())
            return text;
        return text.isEmpty() ? QString(key) : text + u'.' + key;
    }
};

[[noreturn]] void fail(const Path &path, const QString &why)
{
    const QString where = path.render();
    throw Invalid{(where.isEmpty() ? QStringLiteral("(root)") : where) + QStringLiteral(": ")
                  + why};
}

class Fields
{
public:
    Fields(const QJsonValue &value, const Path &path)
        : m_path(path)
    {
        if (!value.isObject())
            fail(m_path, QStringLiteral("expected an object"));
        m_object = value.toObject();
    }

    bool has(Key key) const
    {
        const QJsonValue value = m_object.value(key.name);
        return !value.isUndefined() && !value.isNull();
    }

    QJsonValue required(Key key) const
    {
        const QJsonValue value = m_object.value(key.name);
        if (value.isUndefined() || value.isNull())
            fail(m_path.child(key), QStringLiteral("missing"));
        return value;
    }

    QJsonValue typed(Key key, bool (QJsonValue::*is)() const, const char *expected) const
    {
        const QJsonValue value = required(key);
        if (!(value.*is)())
            fail(m_path.child(key), QStringLiteral("expected ") + QLatin1StringView(expected));
        return value;
    }

    QString string(Key key) const
    {
        return typed(key, &QJsonValue::isString, "a string").toString();
    }

    double real(Key key) const
    {
        return typed(key, &QJsonValue::isDouble, "a number").toDouble();
    }

    qint64 integer(Key key) const
    {
        const QJsonValue value = required(key);
        constexpr qint64 a = std::numeric_limits<qint64>::min();
        constexpr qint64 b = std::numeric_limits<qint64>::max();
        // toInteger answers its default for a number that is not integral.
        if (!value.isDouble() || value.toInteger(a) != value.toInteger(b))
            fail(m_path.child(key), QStringLiteral("expected an integer"));
        return value.toInteger();
    }

    bool flag(Key key) const
    {
        return typed(key, &QJsonValue::isBool, "true or false").toBool();
    }

    QDateTime instant(Key key) const
    {
        const QString text = string(key);
        const QDateTime parsed = DayLogJson::parseInstant(text);
        if (!parsed.isValid())
            fail(m_path.child(key),
                 QStringLiteral("not an ISO 8601 date-time with whole seconds: ") + text);
        return parsed;
    }

    template<typename E>
    E enumeration(Key key) const
    {
        const QString text = string(key);
        const std::optional<E> value = fromRawValue<E>(text);
        if (!value)
            fail(m_path.child(key), QStringLiteral("unknown value \"%1\"").arg(text));
        return *value;
    }

    QJsonArray array(Key key) const
    {
        return typed(key, &QJsonValue::isArray, "an array").toArray();
    }

    template<typename T, typename Member>
    std::optional<T> optional(Key key, Member read) const
    {
        if (!has(key))
            return std::nullopt;
        return (this->*read)(key);
    }

    template<typename T, typename F>
    QList<T> list(Key key, F decodeOne) const
    {
        const QJsonArray items = array(key);
        const Path where = m_path.child(key);
        QList<T> decoded;
        decoded.reserve(items.size());
        for (qsizetype i = 0; i < items.size(); ++i)
            decoded.append(decodeOne(items.at(i), where.element(i)));
        return decoded;
    }

    template<typename T, typename F>
    T nested(Key key, F decodeOne) const
    {
        return decodeOne(required(key), m_path.child(key));
    }

    const QJsonObject &object() const { return m_object; }
    const Path &path() const { return m_path; }

private:
    const Path &m_path;
    QJsonObject m_object;
};

Until decodeUntil(const QJsonValue &value, const Path &path)
{
    const Fields f(value, path);
    const int present = int(f.object().contains(QLatin1StringView("untilDone")))
        + int(f.object().contains(QLatin1StringView("hours")))
        + int(f.object().contains(QLatin1StringView("at")));
    if (present != 1)
        fail(path, QStringLiteral("Invalid number of keys found, expected one."));
    if (f.object().contains(QLatin1StringView("untilDone"))) {
        (void)Fields(f.required("untilDone"), path.child("untilDone")); // must be an object
        return Until::untilDone();
    }
    if (f.object().contains(QLatin1StringView("hours")))
        return f.nested<Until>("hours", [](const QJsonValue &v, const Path &p) {
            return Until::hours(Fields(v, p).real("_0"));
        });
    return f.nested<Until>("at", [](const QJsonValue &v, const Path &p) {
        return Until::at(Fields(v, p).instant("_0"));
    });
}

Thing decodeThing(const QJsonValue &value, const Path &path)
{
    const Fields f(value, path);
    Thing thing;
    thing.id = f.string("id");
    thing.text = f.string("text");
    thing.declaredAt = f.instant("declaredAt");
    thing.until = decodeUntil(f.required("until"), path.child("until"));
    thing.closedAt = f.optional<QDateTime>("closedAt", &Fields::instant);
    thing.outcome = f.optional<Outcome>("outcome", &Fields::enumeration<Outcome>);
    thing.switchReason
        = f.optional<SwitchReason>("switchReason", &Fields::enumeration<SwitchReason>);
    return thing;
}

FrameMeta decodeFrame(const QJsonValue &value, const Path &path)
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

FrameJudgment decodeJudgment(const QJsonValue &value, const Path &path)
{
    const Fields f(value, path);
    return {f.string("t"), f.string("label"), f.enumeration<Relation>("relation")};
}

QString decodeText(const QJsonValue &value, const Path &path)
{
    if (!value.isString())
        fail(path, QStringLiteral("expected a string"));
    return value.toString();
}

JudgeResult decodeResult(const QJsonValue &value, const Path &path)
{
    const Fields f(value, path);
    JudgeResult result;
    result.verdict = f.enumeration<Verdict>("verdict");
    result.frames = f.list<FrameJudgment>("frames", decodeJudgment);
    result.threads = f.list<QString>("threads", decodeText);
    result.switching = f.enumeration<Switching>("switching");
    result.nudge = f.string("nudge");
    result.confidence = f.real("confidence");
    return result;
}

HourRecord decodeHour(const QJsonValue &value, const Path &path)
{
    const Fields f(value, path);
    HourRecord hour;
    hour.id = f.string("id");
    hour.thingID = f.string("thingID");
    hour.start = f.instant("start");
    hour.end = f.instant("end");
    hour.frames = f.list<FrameMeta>("frames", decodeFrame);
    hour.switches = f.integer("switches");
    hour.distinctApps = f.integer("distinctApps");
    hour.partial = f.flag("partial");
    hour.status = f.enumeration<HourStatus>("status");
    if (f.has("result"))
        hour.result = f.nested<JudgeResult>("result", decodeResult);
    hour.correction = f.optional<Correction>("correction", &Fields::enumeration<Correction>);
    hour.model = f.optional<QString>("model", &Fields::string);
    hour.costUSD = f.optional<double>("costUSD", &Fields::real);
    hour.durationMs = f.optional<qint64>("durationMs", &Fields::integer);
    hour.error = f.optional<QString>("error", &Fields::string);
    return hour;
}

OffDutyRecord decodeOffDuty(const QJsonValue &value, const Path &path)
{
    const Fields f(value, path);
    return {f.instant("start"), f.instant("end"), f.string("reason")};
}

BailRecord decodeBail(const QJsonValue &value, const Path &path)
{
    return {Fields(value, path).instant("at")};
}

DayLog decodeDay(const QJsonValue &value)
{
    const Path root;
    const Fields f(value, root);
    DayLog log;
    log.date = f.string("date");
    log.things = f.list<Thing>("things", decodeThing);
    log.hours = f.list<HourRecord>("hours", decodeHour);
    log.offDuty = f.list<OffDutyRecord>("offDuty", decodeOffDuty);
    log.bails = f.list<BailRecord>("bails", decodeBail);
    return log;
}

// `count` ASCII digits at `at` as a number, or -1.
int digits(QStringView text, qsizetype at, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t c = text[at + i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
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
    // By hand rather than through a regular expression: a day file holds
    // hundreds of instants and this is the hot path of reading one.
    const QStringView t(text);
    if (t.size() != 20 && t.size() != 25)
        return {};
    const bool separators = t[4] == u'-' && t[7] == u'-' && t[10] == u'T' && t[13] == u':'
        && t[16] == u':';
    const int year = digits(t, 0, 4), month = digits(t, 5, 2), day = digits(t, 8, 2);
    const int hour = digits(t, 11, 2), minute = digits(t, 14, 2), second = digits(t, 17, 2);
    if (!separators || year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
        return {};
    int offsetSeconds = 0;
    if (t.size() == 20) {
        if (t[19] != u'Z')
            return {};
    } else {
        const int oh = digits(t, 20, 2), om = digits(t, 23, 2);
        if ((t[19] != u'+' && t[19] != u'-') || t[22] != u':' || oh < 0 || om < 0 || oh > 23
            || om > 59)
            return {};
        offsetSeconds = (t[19] == u'+' ? 1 : -1) * (oh * 3600 + om * 60);
    }
    const QDate date(year, month, day);
    if (!date.isValid() || hour > 23 || minute > 59 || second > 59)
        return {};
    constexpr qint64 unixEpochJulianDay = 2440588;
    const qint64 seconds = (date.toJulianDay() - unixEpochJulianDay) * 86400 + hour * 3600
        + minute * 60 + second - offsetSeconds;
    const QDateTime instant = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    // An offset can carry a valid text past the years that can be written back.
    const int utcYear = instant.date().year();
    if (utcYear < 1 || utcYear > 9999)
        return {};
    return instant;
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

Decoded<JudgeResult> decodeResult(const QJsonValue &value)
{
    try {
        return ::decodeResult(value, Path());
    } catch (const Invalid &invalid) {
        return DecodeError{invalid.reason};
    }
}

Decoded<HourRecord> decodeHour(const QJsonValue &value)
{
    try {
        return ::decodeHour(value, Path());
    } catch (const Invalid &invalid) {
        return DecodeError{invalid.reason};
    }
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
