#include "Solitask/witness/SampleData.h"

#include "SolitaskCore/Formatters.h"
#include "SolitaskCore/Store.h"
#include "SolitaskCore/Thresholds.h"

#include <QUuid>

namespace SampleData {
namespace {

constexpr double confidence = 0.85;

QString newID()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

struct HourPlan
{
    QDateTime start;
    QList<Relation> relations;
    QString label;
    QStringList threads;
    Switching switching = Switching::low;
    QString nudge;
    qint64 switches = 0;
    qint64 distinctApps = 0;
};

FrameMeta sampleFrame(const QDateTime &time, Relation relation)
{
    const bool on = relation == Relation::on;
    const bool adjacent = relation == Relation::adjacent;
    const QString app = on ? QStringLiteral("Google Docs")
        : adjacent         ? QStringLiteral("Slack")
                           : QStringLiteral("Safari");
    const QString title = on ? QStringLiteral("Pricing v3")
        : adjacent           ? QStringLiteral("#eng")
                             : QStringLiteral("Hacker News");
    return FrameMeta {
        newID(), time, app, QStringLiteral("sample"), title, std::nullopt, std::nullopt};
}

HourRecord emptyHour(const Thing &thing, const QDateTime &start)
{
    HourRecord hour;
    hour.id = newID();
    hour.thingID = thing.id;
    hour.start = start;
    hour.end = start.addSecs(3600);
    return hour;
}

HourRecord judgedHour(const Thing &thing, const HourPlan &plan, const Calendar &calendar)
{
    HourRecord hour = emptyHour(thing, plan.start);
    JudgeResult result;
    for (int i = 0; i < plan.relations.size(); ++i) {
        const FrameMeta frame = sampleFrame(plan.start.addSecs(600LL * (i + 1)), plan.relations[i]);
        hour.frames.append(frame);
        result.frames.append({Formatters::hm(frame.time, calendar), plan.label, plan.relations[i]});
    }
    result.verdict = Thresholds::verdict(result.frames, confidence);
    result.threads = plan.threads;
    result.switching = plan.switching;
    result.nudge = plan.nudge;
    result.confidence = confidence;
    hour.switches = plan.switches;
    hour.distinctApps = plan.distinctApps;
    hour.status = HourStatus::judged;
    hour.result = result;
    hour.model = QStringLiteral("claude-sonnet-5");
    hour.costUSD = 0.03;
    hour.durationMs = 8200;
    return hour;
}

HourRecord quietHour(const Thing &thing, const QDateTime &start)
{
    HourRecord hour = emptyHour(thing, start);
    hour.status = HourStatus::quiet;
    return hour;
}

Thing thing(const QString &text, const QDateTime &declaredAt, Until until)
{
    return Thing {newID(), text, declaredAt, until, std::nullopt, std::nullopt, std::nullopt};
}

void seedToday(Store &store, const QDateTime &dayStart)
{
    const Calendar &calendar = store.calendar();
    const auto on = Relation::on, adjacent = Relation::adjacent, off = Relation::off;
    const QString doc = QStringLiteral("pricing doc");
    Thing pricing = thing(QStringLiteral("Finish the pricing page"), dayStart, Until::untilDone());
    pricing.closedAt = dayStart.addSecs(14880);
    pricing.outcome = Outcome::done;
    store.upsertThing(pricing);

    const QList<HourPlan> plans {
        {dayStart, {on, on, on, on, adjacent, on}, doc, {doc, QStringLiteral("Slack #eng")},
            Switching::low, QStringLiteral("Steady on the pricing page, with one check of Slack."),
            4, 2},
        {dayStart.addSecs(3600), {on, off, off, adjacent, off, off}, doc,
            {doc, QStringLiteral("Slack #eng"), QStringLiteral("Gmail")}, Switching::high,
            QStringLiteral("Drifted toward Slack and Gmail for most of the hour."), 11, 3},
        {dayStart.addSecs(3 * 3600), {on, on, on, on, adjacent, on}, doc,
            {doc, QStringLiteral("Figma")}, Switching::low,
            QStringLiteral("Back with the pricing page, mostly in Docs and Figma."), 6, 2},
    };
    store.upsertHour(judgedHour(pricing, plans[0], calendar));
    store.upsertHour(judgedHour(pricing, plans[1], calendar));
    store.upsertHour(quietHour(pricing, dayStart.addSecs(2 * 3600)));
    store.upsertHour(judgedHour(pricing, plans[2], calendar));
    store.addOffDuty({dayStart.addSecs(10680), dayStart.addSecs(13080), QStringLiteral("30m")});
    store.upsertThing(
        thing(QStringLiteral("Reply to the board"), dayStart.addSecs(16200), Until::hours(1)));
}

HourPlan historyHour(Generator &draw, const QDateTime &start, int week)
{
    static const QStringList names {QStringLiteral("the thing"), QStringLiteral("Slack"),
        QStringLiteral("email"), QStringLiteral("browser"), QStringLiteral("terminal")};
    const double p = 0.45 + 0.035 * (8 - week);
    HourPlan plan;
    plan.start = start;
    for (int i = 0; i < 6; ++i) {
        const double x = draw.next();
        plan.relations.append(x < p ? Relation::on
                : x < p + 0.2       ? Relation::adjacent
                                    : Relation::off);
    }
    const int threadCount = int(draw.next() * 3) + 1;
    plan.threads = names.mid(0, threadCount);
    plan.label = plan.threads.first();
    plan.switches = int(draw.next() * 14) + 2;
    plan.switching = plan.switches < 11 ? Switching::low : Switching::high;
    plan.distinctApps = threadCount;
    return plan;
}

void seedHistoryDay(Store &store, Generator &draw, const QDateTime &morning, int week, int d)
{
    static const QStringList texts {QStringLiteral("Ship the onboarding"),
        QStringLiteral("Write the investor update"), QStringLiteral("Fix the sync bug"),
        QStringLiteral("Plan Q4")};
    Thing day = thing(texts[d % 4], morning, Until::untilDone());
    day.closedAt = morning.addSecs(18000);
    day.outcome = d == 2 ? Outcome::switched : Outcome::done;
    if (d == 2)
        day.switchReason = SwitchReason::interrupted;
    store.upsertThing(day);
    for (int h = 0; h < 5; ++h)
        store.upsertHour(judgedHour(
            day, historyHour(draw, morning.addSecs(3600LL * h), week), store.calendar()));
}

void seedHistory(Store &store, const QDateTime &now)
{
    const Calendar &calendar = store.calendar();
    Generator draw;
    for (int week = 1; week <= 7; ++week) {
        for (int d = 0; d <= 4; ++d) {
            const QDate day = calendar.date(now).addDays(-(7 * week + d));
            if (const auto morning = calendar.instant(day, QTime(9, 30)))
                seedHistoryDay(store, draw, *morning, week, d);
        }
    }
}

} // namespace

double Generator::next()
{
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return double((m_state >> 33) % 1000) / 1000.0;
}

void seed(Store &store, const QDateTime &now)
{
    const Calendar &calendar = store.calendar();
    const QDateTime dayStart = calendar.instant(calendar.date(now), QTime(9, 2)).value_or(now);
    seedToday(store, dayStart);
    seedHistory(store, now);
}

} // namespace SampleData
