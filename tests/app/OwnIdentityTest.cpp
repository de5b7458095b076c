#include "Solitask/app/OwnIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(LaunchCommand, NamesTheCommandOnlyWhenPathFindsThisVeryBinary)
{
    QTemporaryDir dir;
    const QString self = dir.filePath("checkout/build/solitask");
    const QString other = dir.filePath("usr/bin/solitask");
    const QString link = dir.filePath("local/bin/solitask");
    for (const QString &path : {self, other, link})
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    for (const QString &path : {self, other}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(self, link));
    const struct
    {
        QString onPath;
        QString expected;
    } cases[] = {{self, "solitask"}, {link, "solitask"}, {other, self}, {"", self}};
    for (const auto &c : cases)
        EXPECT_EQ(launchCommand(self, c.onPath), c.expected) << c.onPath.toStdString();
}

} // namespace
