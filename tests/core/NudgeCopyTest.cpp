#include "SolitaskCore/NudgeCopy.h"

#include <gtest/gtest.h>

namespace {

const QString outline = QStringLiteral("write the chapter outline");

JudgeResult result(Verdict verdict, int threads = 0, const QString &nudge = {})
{
    JudgeResult r;
    r.verdict = verdict;
    for (int i = 0; i < threads; ++i)
        r.threads.append(QStringLiteral("thread %1").arg(i));
    r.nudge = nudge;
    return r;
}

TEST(NudgeCopy, AlignedAndUnclearSayNothing)
{
    for (int threads : {0, 4, 8}) {
        EXPECT_EQ(NudgeCopy::line(result(Verdict::aligned, threads), outline), std::nullopt);
        EXPECT_EQ(NudgeCopy::line(result(Verdict::unclear, threads), outline), std::nullopt);
    }
}

TEST(NudgeCopy, MostlyLine)
{
    EXPECT_EQ(NudgeCopy::line(result(Verdict::mostly, 3), outline),
        QStringLiteral("Mostly with write the chapter outline this hour. Nice."));
}

TEST(NudgeCopy, FourThreadsOrMoreGiveTheSwitchingLine)
{
    const QString four = QStringLiteral(
        "Four different things this hour. Pick one — you said write the chapter outline.");
    EXPECT_EQ(NudgeCopy::line(result(Verdict::mostly, 4), outline), four);
    EXPECT_EQ(
        NudgeCopy::line(
            result(Verdict::drifting, 4, QStringLiteral("Looked like email took over.")), outline),
        four);
    EXPECT_EQ(NudgeCopy::line(result(Verdict::away, 11), outline),
        QStringLiteral(
            "11 different things this hour. Pick one — you said write the chapter outline."));
}

TEST(NudgeCopy, JudgeNudgeIsUsedWhenAcceptable)
{
    const QString nudge = QStringLiteral("Looked like email took over the hour.");
    EXPECT_EQ(NudgeCopy::line(result(Verdict::drifting, 1, nudge), outline), nudge);
    EXPECT_EQ(NudgeCopy::line(result(Verdict::away, 0, nudge), outline), nudge);
}

TEST(NudgeCopy, DriftingFallbackCapitalizesTheThing)
{
    const QString fallback
        = QStringLiteral("Last hour drifted. Write the chapter outline is still the solitask.");
    for (const QString &nudge : {QStringLiteral("Maybe YOU SHOULD get back to it."),
             QStringLiteral("Looked like email took over!"), QStringLiteral("Refocus now"),
             QString(),
             QStringLiteral("one two three four five six seven eight nine ten "
                            "eleven twelve thirteen fourteen fifteen sixteen "
                            "seventeen eighteen nineteen")})
        EXPECT_EQ(NudgeCopy::line(result(Verdict::drifting, 2, nudge), outline), fallback)
            << nudge.toStdString();
}

TEST(NudgeCopy, AwayFallbackKeepsTheThingAsTyped)
{
    EXPECT_EQ(NudgeCopy::line(result(Verdict::away, 0, QStringLiteral("Hm.")), outline),
        QStringLiteral(
            "Looked like a different hour. Still on write the chapter outline, or switch?"));
}

TEST(NudgeCopy, IsValidWordBounds)
{
    EXPECT_TRUE(NudgeCopy::isValid(QStringLiteral("Mostly the parser.")));
    EXPECT_FALSE(NudgeCopy::isValid(QStringLiteral("Mostly parser.")));
    EXPECT_TRUE(NudgeCopy::isValid(QStringLiteral("  one\ntwo   three  ")));
    QString eighteen;
    for (int i = 0; i < 18; ++i)
        eighteen += QStringLiteral("word ");
    EXPECT_TRUE(NudgeCopy::isValid(eighteen));
    EXPECT_FALSE(NudgeCopy::isValid(eighteen + QStringLiteral("more")));
    // Tabs do not separate words.
    EXPECT_FALSE(NudgeCopy::isValid(QStringLiteral("one\ttwo\tthree")));
}

TEST(NudgeCopy, IsValidRejectsOrdersAndExclamations)
{
    EXPECT_FALSE(NudgeCopy::isValid(QStringLiteral("You Must finish the parser.")));
    EXPECT_FALSE(NudgeCopy::isValid(QStringLiteral("Maybe you need to finish it.")));
    EXPECT_FALSE(NudgeCopy::isValid(QStringLiteral("Nice work on the parser!")));
    EXPECT_TRUE(NudgeCopy::isValid(QStringLiteral("Perhaps you needed a break.")));
}

TEST(NudgeCopy, ShortThingCutsAtTheLimit)
{
    const QString fifty = QStringLiteral("abcdefghij klmnopqrst uvwxyzabcd efghijk  lmnopqrs");
    ASSERT_EQ(fifty.size(), 50);
    // The first 41 characters end in a space, which is dropped.
    EXPECT_EQ(NudgeCopy::shortThing(fifty, 42),
        QStringLiteral("abcdefghij klmnopqrst uvwxyzabcd efghijk…"));
    const QString exact(42, u'x');
    EXPECT_EQ(
        NudgeCopy::shortThing(QStringLiteral("  \n") + exact + QStringLiteral("\t\n"), 42), exact);
    EXPECT_EQ(NudgeCopy::shortThing(QStringLiteral("abc"), 1), QStringLiteral("…"));
    EXPECT_EQ(NudgeCopy::shortThing(QStringLiteral("ab\t cd"), 4), QStringLiteral("ab…"));
}

TEST(NudgeCopy, ShortThingCountsUserPerceivedCharacters)
{
    // Family emoji (one character, seven UTF-16 units) and a combining accent.
    const QString family = QStringLiteral("👨‍👩‍👧");
    const QString accented = QStringLiteral("e\u0301");
    const QString text = family + family + accented + accented;
    EXPECT_EQ(NudgeCopy::shortThing(text, 4), text);
    EXPECT_EQ(NudgeCopy::shortThing(text, 3), family + family + QStringLiteral("…"));
}

TEST(NudgeCopy, FallbackCapitalizesAWholeFirstCharacter)
{
    EXPECT_EQ(NudgeCopy::line(result(Verdict::drifting), QStringLiteral("éclair recipe")),
        QStringLiteral("Last hour drifted. Éclair recipe is still the solitask."));
}

TEST(NudgeCopy, ThingTextIsInsertedLiterally)
{
    EXPECT_EQ(NudgeCopy::line(result(Verdict::mostly), QStringLiteral("100% of %1")),
        QStringLiteral("Mostly with 100% of %1 this hour. Nice."));
    EXPECT_EQ(NudgeCopy::line(result(Verdict::drifting), QStringLiteral("%1 and %2")),
        QStringLiteral("Last hour drifted. %1 and %2 is still the solitask."));
}

TEST(NudgeCopy, LongThingIsShortenedInLines)
{
    const QString fifty(50, u'a');
    EXPECT_EQ(NudgeCopy::line(result(Verdict::mostly), fifty),
        QStringLiteral("Mostly with ") + QString(41, u'a') + QStringLiteral("… this hour. Nice."));
}

TEST(NudgeCopy, SwitchesOnlyLine)
{
    EXPECT_EQ(NudgeCopy::switchesOnlyLine(15), std::nullopt);
    EXPECT_EQ(NudgeCopy::switchesOnlyLine(16),
        QStringLiteral("A lot of bouncing this hour — 16 app switches."));
    EXPECT_EQ(NudgeCopy::switchesOnlyLine(23),
        QStringLiteral("A lot of bouncing this hour — 23 app switches."));
}

TEST(NudgeCopy, NumberWords)
{
    EXPECT_EQ(NudgeCopy::numberWord(0), QStringLiteral("Zero"));
    EXPECT_EQ(NudgeCopy::numberWord(5), QStringLiteral("Five"));
    EXPECT_EQ(NudgeCopy::numberWord(10), QStringLiteral("Ten"));
    EXPECT_EQ(NudgeCopy::numberWord(11), QStringLiteral("11"));
}

TEST(NudgeCopy, SwitchingLineShortensTheThing)
{
    EXPECT_EQ(NudgeCopy::switchingLine(5, QString(60, u'z')),
        QStringLiteral("Five different things this hour. Pick one — you said ") + QString(41, u'z')
            + QStringLiteral("…."));
}

} // namespace
