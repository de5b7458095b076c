#include "SolitaskCore/DayLogJson.h"
#include "SolitaskCore/Store.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// What a writer acknowledged: only whole lines, a cut one was never promised.
QSet<QString> acknowledged(const QByteArray &output)
{
    QSet<QString> ids;
    const QList<QByteArray> lines = output.left(output.lastIndexOf('\n') + 1).split('\n');
    for (const QByteArray &line : lines) {
        if (!line.isEmpty())
            ids.insert(QString::fromLatin1(line));
    }
    return ids;
}

} // namespace

TEST(StoreCrash, AWriterKilledAtRandomMomentsLosesNothingItAcknowledged)
{
    QTemporaryDir dir;
    const QString root = dir.filePath("root");
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    QSet<QString> promised;
    constexpr int trials = 40;
    for (int trial = 0; trial < trials; ++trial) {
        QProcess writer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("SOLITASK_ROOT", root); // its log goes there too
        writer.setProcessEnvironment(env);
        writer.start(SOLITASK_CRASH_WRITER, {root});
        ASSERT_TRUE(writer.waitForStarted());
        QThread::msleep(random.bounded(30, 400));
        ::kill(pid_t(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished());
        promised.unite(acknowledged(writer.readAllStandardOutput()));
    }
    ASSERT_GT(promised.size(), trials) << "the writer got to write";
    RecordProperty("acknowledged", int(promised.size()));

    QSet<QString> kept;
    const Store opened(root, Calendar(QTimeZone::utc())); // clears what a killed writer left
    const QDir days(root + "/days");
    for (const QString &name : days.entryList(QDir::Files | QDir::Hidden)) {
        QFile file(days.filePath(name));
        ASSERT_TRUE(name.endsWith(".json"))
            << "nothing left beside the day files: " << qPrintable(name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const auto decoded = DayLogJson::decode(file.readAll());
        ASSERT_TRUE(std::holds_alternative<DayLog>(decoded)) << qPrintable(name);
        for (const HourRecord &hour : std::get<DayLog>(decoded).hours)
            kept.insert(hour.id);
    }
    EXPECT_TRUE(kept.contains(promised)) << promised.subtract(kept).size() << " lost";
}
