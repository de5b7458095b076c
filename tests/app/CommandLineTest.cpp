#include "Solitask/app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    QStringList arguments;
    QString error; // empty: accepted
};

TEST(CommandLine, AcceptsKnownOptionsAndRejectsTheRest)
{
    const Case cases[] = {
        {{}, {}},
        {{"--self-test", "--with-claude", "--with-capture"}, {}},
        {{"-h"}, {}},
        {{"--dry-run", "--frobnicate"}, "unknown option '--frobnicate'"},
        {{"-x"}, "unknown option '-x'"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"--version=2"}, "option '--version' takes no value"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CommandLine::parse(c.arguments).error, c.error)
            << c.arguments.join(' ').toStdString();
    EXPECT_TRUE(CommandLine::parse({"-h"}).has("--help"));
}

TEST(CommandLine, AnOptionWithAValueTakesTheNextWordOrItsOwnEquals)
{
    const CommandLine::Option table[] = {{"--peek", "FILE", ""}, {"--dry-run", "", ""}};
    EXPECT_EQ(CommandLine::parse({"--peek", "a b.jpg"}, table).values.value("--peek"), "a b.jpg");
    EXPECT_EQ(CommandLine::parse({"--peek=c.jpg"}, table).values.value("--peek"), "c.jpg");
    EXPECT_EQ(
        CommandLine::parse({"--peek", "--dry-run"}, table).values.value("--peek"), "--dry-run");
    EXPECT_EQ(
        CommandLine::parse({"--dry-run", "--peek"}, table).error, "option '--peek' needs FILE");
}

TEST(CommandLine, HelpNamesEveryOptionAndVariable)
{
    const QString help = CommandLine::help();
    for (const CommandLine::Option &o : CommandLine::options())
        EXPECT_TRUE(help.contains(QString::fromUtf8(o.name))) << o.name;
    for (const CommandLine::Variable &v : CommandLine::variables())
        EXPECT_TRUE(help.contains(QString::fromUtf8(v.name))) << v.name;
    for (const QString &line : help.split('\n'))
        EXPECT_LE(line.size(), 100) << line.toStdString();
}

} // namespace
