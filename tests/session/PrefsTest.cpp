#include "Solitask/session/Prefs.h"
#include "fakes/TestPrefs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

using namespace Prefs;

const Calendar berlin(QTimeZone("Europe/Berlin"));

QDateTime at(const char *localTime)
{
    return QDateTime(QDateTime::fromString(QString::fromLatin1(localTime), Qt::ISODate).date(),
        QDateTime::fromString(QString::fromLatin1(localTime), Qt::ISODate).time(),
        berlin.timeZone())
        .toUTC();
}

TEST(PrefsDefaults, StoredValuesWinOverTheRegisteredDefaults)
{
    TestPrefs prefs(false);
    EXPECT_FALSE(flag(Key::insist)) << "before registration keys read as false or zero";
    EXPECT_EQ(cadenceMinutes(), 1);
    registerDefaults();
    EXPECT_TRUE(flag(Key::insist));
    setValue(Key::cadenceMinutes, 7);
    setValue(Key::insist, false);
    reload();
    EXPECT_EQ(cadenceMinutes(), 7);
    EXPECT_FALSE(flag(Key::insist));
    remove(Key::cadenceMinutes);
    EXPECT_EQ(cadenceMinutes(), 3);
}

TEST(PrefsFile, OwnerOnlyFromTheFirstWrite)
{
    TestPrefs prefs;
    setValue(Key::cadenceMinutes, 7);
    const QString file
        = QSettings(QSettings::NativeFormat, QSettings::UserScope, "Solitask", "Solitask")
              .fileName();
    ASSERT_TRUE(QFile::exists(file));
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
        | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_FALSE(QFileInfo(file).permissions() & others);
    EXPECT_FALSE(QFileInfo(QFileInfo(file).absolutePath()).permissions() & others);
}

TEST(PrefsClamps, NumbersOutsideTheirRangeAreClamped)
{
    TestPrefs prefs;
    const std::tuple<int, int, int> ints[] = {{0, 1, 320}, {-5, 1, 320}, {2, 2, 320}};
    for (const auto &[value, cadence, width] : ints) {
        setValue(Key::cadenceMinutes, value);
        setValue(Key::frameWidth, value * 100);
        setValue(Key::resumeThresholdMinutes, value);
        EXPECT_EQ(cadenceMinutes(), cadence);
        EXPECT_EQ(frameWidth(), width);
        EXPECT_EQ(resumeThresholdMinutes(), cadence);
    }
    setValue(Key::frameWidth, 1024);
    EXPECT_EQ(frameWidth(), 1024);
    const std::tuple<double, double, double> reals[]
        = {{0, 0.1, 0.1}, {5, 1.0, 0.9}, {0.25, 0.25, 0.25}, {-1, 0.1, 0.1}};
    for (const auto &[value, budget, opacity] : reals) {
        setValue(Key::budgetUSD, value);
        setValue(Key::stripOpacity, value);
        EXPECT_DOUBLE_EQ(budgetUSD(), budget);
        EXPECT_DOUBLE_EQ(stripOpacity(), opacity);
    }
    // Unreadable numbers fall back to the default.
    setValue(Key::cadenceMinutes, "often");
    setValue(Key::budgetUSD, "nan");
    EXPECT_EQ(cadenceMinutes(), 3);
    EXPECT_DOUBLE_EQ(budgetUSD(), 0.4);
}

TEST(PrefsWitnessModel, RawValuesMapToJudgeModels)
{
    TestPrefs prefs;
    const std::tuple<const char *, WitnessModel, const char *> cases[]
        = {{"sonnet", WitnessModel::sonnet, "claude-sonnet-5"},
            {"economy", WitnessModel::economy, "claude-haiku-4-5"},
            {"cliDefault", WitnessModel::cliDefault, ""},
            {"opus", WitnessModel::sonnet, "claude-sonnet-5"},
            {"", WitnessModel::sonnet, "claude-sonnet-5"}};
    for (const auto &[raw, model, judge] : cases) {
        setValue(Key::witnessModel, QString::fromLatin1(raw));
        EXPECT_EQ(witnessModel(), model) << raw;
        EXPECT_EQ(judgeModel(witnessModel()), QString::fromLatin1(judge)) << raw;
    }
}

TEST(PrefsPrivateApps, ListsOfEveryLengthRoundTrip)
{
    TestPrefs prefs;
    for (const QStringList &ids : {QStringList {}, QStringList {"a"}, QStringList {"a", "b,c"}}) {
        setPrivateBundleIDs(ids);
        EXPECT_EQ(privateBundleIDs(), ids);
    }
    setValue(Key::privateBundleIDs, 42);
    EXPECT_EQ(privateBundleIDs(), defaultPrivateBundleIDs());
    setValue(Key::privateBundleIDs, QVariantList {"x", 3});
    EXPECT_EQ(privateBundleIDs(), defaultPrivateBundleIDs());
}

// What another process (or a person with an editor) left in the settings file.
TEST(PrefsPrivateApps, ShapesReadFromTheFileItself)
{
    const std::pair<const char *, QStringList> cases[]
        = {{"privateBundleIDs=one.app\n", {"one.app"}}, {"privateBundleIDs=a, b\n", {"a", "b"}},
            {"privateBundleIDs=@Invalid()\n", {}}};
    for (const auto &[line, expected] : cases) {
        TestPrefs prefs;
        QDir().mkpath(prefs.configDir() + "/Solitask");
        QFile file(prefs.configDir() + "/Solitask/Solitask.conf");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[General]\n") + line);
        file.close();
        EXPECT_EQ(privateBundleIDs(), expected) << line;
    }
}

TEST(PrefsQuiet, DefaultWindowCrossesMidnightAndWeekendsAreQuiet)
{
    TestPrefs prefs;
    EXPECT_FALSE(isQuiet(at("2026-03-02T19:59:59"), berlin));
    EXPECT_TRUE(isQuiet(at("2026-03-02T20:00:00"), berlin));
    EXPECT_TRUE(isQuiet(at("2026-03-03T07:59:00"), berlin));
    EXPECT_FALSE(isQuiet(at("2026-03-03T08:00:00"), berlin));
    EXPECT_TRUE(isQuiet(at("2026-03-07T12:00:00"), berlin));
    EXPECT_TRUE(isQuiet(at("2026-03-29T12:00:00"), berlin));
    setValue(Key::quietWeekends, false);
    EXPECT_FALSE(isQuiet(at("2026-03-07T12:00:00"), berlin));
    // A daytime window; equal ends mean no daily window.
    setValue(Key::quietStartMinutes, 12 * 60);
    setValue(Key::quietEndMinutes, 13 * 60);
    EXPECT_FALSE(isQuiet(at("2026-03-02T11:59:00"), berlin));
    EXPECT_TRUE(isQuiet(at("2026-03-02T12:00:00"), berlin));
    EXPECT_FALSE(isQuiet(at("2026-03-02T13:00:00"), berlin));
    setValue(Key::quietEndMinutes, 12 * 60);
    EXPECT_FALSE(isQuiet(at("2026-03-02T12:30:00"), berlin));
    EXPECT_FALSE(isQuiet(at("2026-03-02T23:30:00"), berlin));
}

TEST(PrefsQuiet, NextBoundaryIsTheFirstMinuteWhoseQuietnessDiffers)
{
    TestPrefs prefs;
    EXPECT_EQ(nextQuietBoundary(at("2026-03-02T19:59:30"), berlin), at("2026-03-02T20:00:00"));
    EXPECT_EQ(nextQuietBoundary(at("2026-03-02T10:00:00"), berlin), at("2026-03-02T20:00:00"));
    EXPECT_EQ(nextQuietBoundary(at("2026-03-03T07:00:00"), berlin), at("2026-03-03T08:00:00"));
    // Friday evening runs through the weekend into Monday morning.
    EXPECT_EQ(nextQuietBoundary(at("2026-03-06T21:00:00"), berlin), at("2026-03-09T08:00:00"));
    // With equal ends only the weekend is quiet, or nothing at all.
    setValue(Key::quietStartMinutes, 600);
    setValue(Key::quietEndMinutes, 600);
    setValue(Key::quietWeekends, false);
    EXPECT_FALSE(nextQuietBoundary(at("2026-03-02T10:00:00"), berlin).has_value());
    setValue(Key::quietWeekends, true);
    EXPECT_EQ(nextQuietBoundary(at("2026-03-02T10:00:00"), berlin), at("2026-03-07T00:00:00"));
    // Across the spring-forward gap: 02:30 does not exist on 29 March.
    setValue(Key::quietWeekends, false);
    setValue(Key::quietStartMinutes, 1200);
    setValue(Key::quietEndMinutes, 150);
    const auto boundary = nextQuietBoundary(at("2026-03-29T01:00:00"), berlin);
    ASSERT_TRUE(boundary.has_value());
    EXPECT_EQ(*boundary, at("2026-03-29T03:00:00"));
    EXPECT_EQ(boundary->toUTC().time(), QTime(1, 0));
}

} // namespace
