#include "Solitask/gate/GateModel.h"
#include "Solitask/gate/UntilChoice.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const Calendar berlin(QTimeZone("Europe/Berlin"));

QDateTime at(int hour, int minute, QDate day = QDate(2026, 3, 2))
{
    return *berlin.instant(day, QTime(hour, minute));
}

} // namespace

TEST(GateDeclaration, NeedsTwoCharactersAfterTrimming)
{
    EXPECT_EQ(GateModel::declaration("x"), std::nullopt);
    EXPECT_EQ(GateModel::declaration("      "), std::nullopt);
    EXPECT_EQ(GateModel::declaration(" \t\n x \n"), std::nullopt);
    EXPECT_EQ(GateModel::declaration(""), std::nullopt);
    EXPECT_EQ(GateModel::declaration("ab"), QString("ab"));
    EXPECT_EQ(GateModel::declaration("   Write the outline\n"), QString("Write the outline"));
    EXPECT_EQ(GateModel::declaration("a b"), QString("a b"));
}

TEST(GateDeclaration, CountsWhatAPersonSeesAsCharacters)
{
    // One emoji each, though two to eleven code units long.
    EXPECT_EQ(GateModel::declaration("🙂"), std::nullopt);
    EXPECT_EQ(GateModel::declaration("👍🏽"), std::nullopt);
    EXPECT_EQ(GateModel::declaration("👩‍👩‍👧‍👦"), std::nullopt);
    EXPECT_EQ(GateModel::declaration("e\u0301"), std::nullopt);
    EXPECT_EQ(GateModel::declaration("🙂🙂"), QString("🙂🙂"));
}

TEST(GateDeclaration, KeepsLongAndRightToLeftTextWhole)
{
    const QString longText = QString(9998, QChar('w')) + "!?";
    EXPECT_EQ(GateModel::declaration(longText), longText);
    const QString hebrew = QString::fromUtf8("לכתוב את הפרק");
    EXPECT_EQ(GateModel::declaration("  " + hebrew + "\n"), hebrew);
    const QString mixed = QString::fromUtf8("ملخص report 2026 🙂");
    EXPECT_EQ(GateModel::declaration(mixed), mixed);
}

TEST(GateModel, PublishesOnlyRealChanges)
{
    GateModel model;
    QSignalSpy face(&model, &GateModel::faceChanged);
    QSignalSpy text(&model, &GateModel::textChanged);
    model.setFace(GateFace::question());
    model.setText("");
    EXPECT_EQ(face.count(), 0);
    EXPECT_EQ(text.count(), 0);
    model.setFace(GateFace::resume(Thing {}, 60, "s"));
    model.setText("abc");
    EXPECT_EQ(face.count(), 1);
    EXPECT_EQ(text.count(), 1);
    EXPECT_EQ(model.until(), UntilChoice::untilDone);
    EXPECT_FALSE(model.compact());
}

TEST(UntilChoices, MapToTheRecordValues)
{
    const QDateTime now = at(9, 30);
    EXPECT_EQ(UntilChoices::until(UntilChoice::untilDone, now, berlin), Until::untilDone());
    EXPECT_EQ(UntilChoices::until(UntilChoice::h1, now, berlin), Until::hours(1.0));
    EXPECT_EQ(UntilChoices::until(UntilChoice::h2, now, berlin), Until::hours(2.0));
    EXPECT_EQ(UntilChoices::until(UntilChoice::h4, now, berlin), Until::hours(4.0));
    EXPECT_EQ(UntilChoices::until(UntilChoice::sixPM, now, berlin), Until::at(at(18, 0)));
}

TEST(UntilChoices, SixPMStaysOnTheSameDayEvenWhenPast)
{
    EXPECT_EQ(UntilChoices::until(UntilChoice::sixPM, at(21, 15), berlin), Until::at(at(18, 0)));
    // The day of the spring clock change still has its 18:00.
    const QDate change(2026, 3, 29);
    EXPECT_EQ(UntilChoices::until(UntilChoice::sixPM, at(9, 0, change), berlin),
        Until::at(at(18, 0, change)));
}

TEST(UntilChoices, SixPMIsOfferedUntilFifteenMinutesBefore)
{
    const auto labels = [](const QDateTime &now) {
        QStringList out;
        for (UntilChoice c : UntilChoices::offered(now, berlin))
            out << UntilChoices::label(c);
        return out;
    };
    const QStringList four {"Until done", "1 h", "2 h", "4 h"};
    EXPECT_EQ(labels(at(17, 44)), four + QStringList {"Until 6 pm"});
    EXPECT_EQ(labels(at(17, 45)), four);
    EXPECT_EQ(labels(at(17, 46)), four);
    EXPECT_EQ(labels(at(23, 0)), four);
    EXPECT_EQ(labels(at(0, 5)), four + QStringList {"Until 6 pm"});
}
