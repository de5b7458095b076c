#include "Solitask/platform/linux/DesktopEntryNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DesktopEntryNamesTest : public ::testing::Test
{
protected:
    void SetUp() override { QDir(dir.path()).mkpath(QStringLiteral("applications")); }
    void entry(const QString &file, const QByteArray &text)
    {
        QFile out(dir.filePath(QStringLiteral("applications/") + file));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
    }

    QTemporaryDir dir;
};

TEST_F(DesktopEntryNamesTest, LocalizedNameWinsOverPlainName)
{
    entry(QStringLiteral("org.example.Notes.desktop"),
        "[Desktop Entry]\nName=Notes\nName[de]=Notizen\nName[de_CH]=Notizli\n"
        "[Desktop Action new]\nName=New\n");
    EXPECT_EQ(DesktopEntryNames({dir.path()}, QStringLiteral("de_CH")).name("org.example.Notes"),
        QStringLiteral("Notizli"));
    EXPECT_EQ(DesktopEntryNames({dir.path()}, QStringLiteral("de_AT")).name("org.example.Notes"),
        QStringLiteral("Notizen"));
    EXPECT_EQ(DesktopEntryNames({dir.path()}, QStringLiteral("fr_FR")).name("org.example.Notes"),
        QStringLiteral("Notes"));
}

TEST_F(DesktopEntryNamesTest, WindowClassFindsALowerCaseEntry)
{
    entry(QStringLiteral("xterm.desktop"), "[Desktop Entry]\nName=XTerm\n");
    EXPECT_EQ(DesktopEntryNames({dir.path()}, QStringLiteral("C")).name(QStringLiteral("XTerm")),
        QStringLiteral("XTerm"));
}

TEST_F(DesktopEntryNamesTest, UnknownOrPathLikeIdsHaveNoName)
{
    DesktopEntryNames names({dir.path()}, QStringLiteral("C"));
    EXPECT_TRUE(names.name(QStringLiteral("missing")).isEmpty());
    EXPECT_TRUE(names.name(QStringLiteral("../../etc/passwd")).isEmpty());
    EXPECT_TRUE(names.name(QString()).isEmpty());
}

} // namespace
