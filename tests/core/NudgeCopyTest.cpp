#include "SolitaskCore/NudgeCopy.h"

#include <gtest/gtest.h>

namespace {

JudgeResult result(Verdict verdict, int threads = 0, const QString &nudge = {})
{
    JudgeResult r;
    r.verdict = verdict;
    for (int i = 0; i < threads; ++i)
        r.threads.append(QStringLiteral("thread %1").arg(i));
    r.nudge = nudge;
    return r;
}

TEST(NudgeCopy, LineForEachVerdict)
{
    const QString outline = "write the chapter outline";
    const QString good = "Looked like email took over the hour.";
    const QString drifted = "Last hour drifted. Write the chapter outline is still the solitask.";
    struct Case
    {
        const char *name;
        JudgeResult result;
        QString thing;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"aligned says nothing", result(Verdict::aligned, 8), outline, std::nullopt},
        {"unclear says nothing", result(Verdict::unclear, 8), outline, std::nullopt},
        {"mostly", result(Verdict::mostly, 3), outline,
            "Mostly with write the chapter outline this hour. Nice."},
        {"four threads", result(Verdict::drifting, 4, good), outline,
            "Four different things this hour. Pick one — you said write the chapter outline."},
        {"eleven threads", result(Verdict::away, 11), outline,
            "11 different things this hour. Pick one — you said write the chapter outline."},
        {"judge nudge when drifting", result(Verdict::drifting, 1, good), outline, good},
        {"unacceptable judge nudge", result(Verdict::drifting, 2, "Refocus now"), outline, drifted},
        {"away fallback", result(Verdict::away, 0, "Hm."), outline,
            "Looked like a different hour. Still on write the chapter outline, or switch?"},
        {"capitalises a whole character", result(Verdict::drifting), "éclair recipe",
            "Last hour drifted. Éclair recipe is still the solitask."},
        {"thing inserted literally", result(Verdict::drifting), "%1 and 100%",
            "Last hour drifted. %1 and 100% is still the solitask."},
        {"long thing shortened", result(Verdict::mostly), QString(50, u'a'),
            "Mostly with " + QString(41, u'a') + "… this hour. Nice."},
    };
    for (const Case &c : cases)
        EXPECT_EQ(NudgeCopy::line(c.result, c.thing), c.expected) << c.name;
}

TEST(NudgeCopy, IsValid)
{
    QString eighteen;
    for (int i = 0; i < 18; ++i)
        eighteen += "word ";
    const std::pair<QString, bool> cases[] = {
        {"Mostly the parser.", true},
        {"Mostly parser.", false},
        {"  one\ntwo   three  ", true},
        {"one\ttwo\tthree", false}, // tabs do not separate words
        {eighteen, true},
        {eighteen + "more", false},
        {"You Must finish the parser.", false},
        {"Maybe you need to finish it.", false},
        {"Nice work on the parser!", false},
        {"Perhaps you needed a break.", true},
    };
    for (const auto &[text, valid] : cases)
        EXPECT_EQ(NudgeCopy::isValid(text), valid) << text.toStdString();
}

TEST(NudgeCopy, ShortThingCutsAtTheLimitInUserPerceivedCharacters)
{
    // Family emoji (one character, seven UTF-16 units) and a combining accent.
    const QString family = "👨‍👩‍👧";
    const QString accented = "e\u0301";
    const QString graphemes = family + family + accented + accented;
    const QString exact(42, u'x');
    struct Case
    {
        QString text;
        int limit;
        QString expected;
    };
    const Case cases[] = {
        // The first 41 characters end in a space, which is dropped.
        {"abcdefghij klmnopqrst uvwxyzabcd efghijk  lmnopqrs", 42,
            "abcdefghij klmnopqrst uvwxyzabcd efghijk…"},
        {"  \n" + exact + "\t\n", 42, exact},
        {"abc", 1, "…"},
        {"ab\t cd", 4, "ab…"},
        {graphemes, 4, graphemes},
        {graphemes, 3, family + family + "…"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(NudgeCopy::shortThing(c.text, c.limit), c.expected) << c.text.toStdString();
}

TEST(NudgeCopy, SwitchesOnlyLineFromSixteenSwitches)
{
    EXPECT_EQ(NudgeCopy::switchesOnlyLine(15), std::nullopt);
    EXPECT_EQ(NudgeCopy::switchesOnlyLine(16), "A lot of bouncing this hour — 16 app switches.");
}

} // namespace
