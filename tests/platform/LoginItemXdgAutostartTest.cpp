#include "Solitask/platform/linux/LoginItemXdgAutostart.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class LoginItemXdgAutostartTest : public ::testing::Test
{
protected:
    QString readEntry() const
    {
        QFile file(item.path());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void writeEntry(const QByteArray &text) const
    {
        QFile file(item.path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir dir;
    LoginItemXdgAutostart item {QStringLiteral("solitask"), QStringLiteral("Solitask"),
        QStringLiteral("/opt/My Apps/solitask"), dir.filePath(QStringLiteral("autostart"))};
};

TEST_F(LoginItemXdgAutostartTest, EnableWritesAnEntryAndDisableRemovesIt)
{
    EXPECT_FALSE(item.isEnabled());
    ASSERT_TRUE(item.setEnabled(true));
    EXPECT_TRUE(item.isEnabled());
    EXPECT_TRUE(readEntry().contains(QStringLiteral("Exec=\"/opt/My Apps/solitask\"\n")));
    EXPECT_TRUE(readEntry().startsWith(QStringLiteral("[Desktop Entry]\nType=Application\n")));
    ASSERT_TRUE(item.setEnabled(false));
    EXPECT_FALSE(QFile::exists(item.path()));
    EXPECT_TRUE(item.setEnabled(false)); // already off
}

TEST_F(LoginItemXdgAutostartTest, HiddenOrSwitchedOffEntryIsNotEnabled)
{
    ASSERT_TRUE(item.setEnabled(true));
    writeEntry("[Desktop Entry]\nType=Application\nExec=x\nHidden=true\n");
    EXPECT_FALSE(item.isEnabled());
    writeEntry("[Desktop Entry]\nType=Application\nExec=x\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(item.isEnabled());
}

TEST_F(LoginItemXdgAutostartTest, RefreshRepointsAnEnabledEntryAndLeavesOthersAlone)
{
    ASSERT_TRUE(item.refresh());
    EXPECT_FALSE(QFile::exists(item.path()));
    ASSERT_TRUE(item.setEnabled(true));
    writeEntry("[Desktop Entry]\nType=Application\nExec=\"/old/build/solitask\"\n");
    ASSERT_TRUE(item.refresh());
    EXPECT_TRUE(readEntry().contains(QStringLiteral("Exec=\"/opt/My Apps/solitask\"\n")));
    const QByteArray hidden = "[Desktop Entry]\nType=Application\nExec=\"/old\"\nHidden=true\n";
    writeEntry(hidden);
    ASSERT_TRUE(item.refresh());
    EXPECT_EQ(readEntry().toUtf8(), hidden);
}

TEST(LoginItemExec, SpecialCharactersAreEscaped)
{
    EXPECT_EQ(LoginItemXdgAutostart::execValue(QStringLiteral("/a/b$c\"d`e\\f%g")),
        QStringLiteral("\"/a/b\\$c\\\"d\\`e\\\\f%%g\""));
}

} // namespace
