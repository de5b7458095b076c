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

// Two characters as a person sees them, after trimming; the rest kept whole.
TEST(GateDeclaration, NeedsTwoVisibleCharactersAndKeepsTheTrimmedTextWhole)
{
    const QString longText = QString(9998, QChar('w')) + "!?";
    const QString hebrew = QString::fromUtf8("לכתוב את הפרק");
    const QString mixed = QString::fromUtf8("ملخص report 2026 🙂");
    const std::pair<QString, std::optional<QString>> cases[] = {
        {"", std::nullopt},
        {"x", std::nullopt},
        {"      ", std::nullopt},
        {" \t\n x \n", std::nullopt},
        {"🙂", std::nullopt},
        {"👍🏽", std::nullopt},
        {"👩‍👩‍👧‍👦", std::nullopt},
        {"e\u0301", std::nullopt},
        {"ab", "ab"},
        {"a b", "a b"},
        {"🙂🙂", "🙂🙂"},
        {"   Write the outline\n", "Write the outline"},
        {longText, longText},
        {"  " + hebrew + "\n", hebrew},
        {mixed, mixed},
    };
    for (const auto &[typed, declared] : cases)
        EXPECT_EQ(GateModel::declaration(typed), declared) << typed.left(20).toStdString();
}

TEST(GateModel, PublishesOnlyRealChanges)
{
    GateModel model;
    QSignalSpy face(&model, &GateModel::faceChanged);
    QSignalSpy text(&model, &GateModel::textChanged);
    model.setFace(GateFace::question());
    model.setText("");
    EXPECT_EQ(face.count() + text.count(), 0);
    model.setFace(GateFace::resume(Thing {}, 60, "s"));
    model.setText("abc");
    EXPECT_EQ(face.count(), 1);
    EXPECT_EQ(text.count(), 1);
}

TEST(UntilChoices, MapToTheRecordValuesWithSixPMOnTheSameDay)
{
    const QDate change(2026, 3, 29); // the spring clock change still has its 18:00
    const struct
    {
        UntilChoice choice;
        QDateTime now;
        Until until;
    } cases[] = {
        {UntilChoice::untilDone, at(9, 30), Until::untilDone()},
        {UntilChoice::h1, at(9, 30), Until::hours(1.0)},
        {UntilChoice::h4, at(9, 30), Until::hours(4.0)},
        {UntilChoice::sixPM, at(9, 30), Until::at(at(18, 0))},
        {UntilChoice::sixPM, at(21, 15), Until::at(at(18, 0))},
        {UntilChoice::sixPM, at(9, 0, change), Until::at(at(18, 0, change))},
    };
    for (const auto &c : cases)
        EXPECT_EQ(UntilChoices::until(c.choice, c.now, berlin), c.until)
            << UntilChoices::label(c.choice).toStdString() << " at "
            << c.now.toString().toStdString();
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
    EXPECT_EQ(labels(at(0, 5)), four + QStringList {"Until 6 pm"});
    for (const QDateTime &late : {at(17, 45), at(17, 46), at(23, 0)})
        EXPECT_EQ(labels(late), four) << late.toString().toStdString();
}
