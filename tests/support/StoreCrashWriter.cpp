// Writes hours through the store as fast as it can and acknowledges each one
// on standard output once the store has returned; the crash test kills it at
// random moments and checks that every acknowledged hour survived.
#include "SolitaskCore/Store.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTimeZone>
#include <QUuid>

#include <cstdio>

namespace {

HourRecord someHour(QRandomGenerator &random)
{
    const QDateTime base(QDate(2026, 3, 2), QTime(0, 0), QTimeZone::utc());
    HourRecord hour;
    hour.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    hour.thingID = QStringLiteral("T1");
    hour.start = base.addSecs(random.bounded(3 * 24 * 3600)); // one of three days
    hour.end = hour.start.addSecs(3600);
    hour.status = HourStatus::unwitnessed;
    for (int i = 0; i < 20; ++i) {
        FrameMeta frame;
        frame.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        frame.time = hour.start.addSecs(180 * i);
        frame.appName = QStringLiteral("Editor");
        frame.bundleID = QStringLiteral("org.example.editor");
        frame.windowTitle = QStringLiteral("notes %1").arg(i);
        frame.skipped = SkipReason::idle;
        hour.frames.append(frame);
    }
    return hour;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    Store store(QString::fromLocal8Bit(argv[1]), Calendar(QTimeZone::utc()));
    QRandomGenerator random(quint32(QCoreApplication::applicationPid()));
    for (;;) {
        const HourRecord hour = someHour(random);
        store.upsertHour(hour);
        if (!store.writeProblem().isEmpty())
            return 1;
        std::printf("%s\n", qPrintable(hour.id));
        std::fflush(stdout);
    }
}
