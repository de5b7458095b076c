// Scrolling a frames sheet of sixty real JPEG frames from top to bottom, a
// third of the view per step, with the visible cells' pictures read in the
// background and delivered before the clock stops.
#include "Solitask/journal/FramesSheet.h"
#include "fakes/TestPrefs.h"

#include "OffscreenBenchMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThreadPool>
#include <benchmark/benchmark.h>

namespace {

constexpr int frameCount = 60;

/// One 784-pixel-wide frame, the witness's default width, with some detail to decode.
void writeFrame(const QString &path, int i)
{
    QImage image(784, 490, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 784, 490);
    gradient.setColorAt(0, QColor::fromHsv(i * 6 % 360, 120, 230));
    gradient.setColorAt(1, Qt::white);
    painter.fillRect(image.rect(), gradient);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("frame %1").arg(i));
    painter.end();
    image.save(path, "JPEG", 70);
}

HourRecord hourOfFrames(const QDir &frames)
{
    const QDateTime start(QDate(2026, 3, 2), QTime(9, 0), QTimeZone::utc());
    HourRecord hour;
    hour.id = QStringLiteral("h1");
    hour.thingID = QStringLiteral("t1");
    hour.start = start;
    hour.end = start.addSecs(3600);
    hour.status = HourStatus::judged;
    hour.result = JudgeResult {Verdict::aligned, {}, {QStringLiteral("docs")}, Switching::low, {}, 0.9};
    for (int i = 0; i < frameCount; ++i) {
        const QString file = QStringLiteral("f%1.jpg").arg(i);
        writeFrame(frames.filePath(file), i);
        const QDateTime t = start.addSecs(60 * (i + 1));
        hour.frames.append({QString::number(i), t, QStringLiteral("Docs"), QStringLiteral("docs"),
                            QStringLiteral("Plan"), std::nullopt, file});
        hour.result->frames.append({t.toString("HH:mm"), QStringLiteral("doc"), Relation::on});
    }
    return hour;
}

int requested(const FramesSheet &sheet)
{
    int count = 0;
    for (const FrameCell *cell : sheet.cells())
        count += cell->imageRequested();
    return count;
}

void scrollToBottom(QScrollBar *bar)
{
    const int step = std::max(1, bar->pageStep() / 3);
    for (int value = bar->minimum(); value < bar->maximum(); value += step) {
        bar->setValue(value + step);
        QApplication::processEvents();
    }
    QThreadPool::globalInstance()->waitForDone();
    QApplication::processEvents(); // the pictures arrive in their cells
}

void scrollSheet(benchmark::State &state)
{
    TestPrefs prefs;
    QTemporaryDir root;
    const QDir frames(root.path());
    const HourRecord hour = hourOfFrames(frames);
    const FrameCell::Locate locate = [&](const FrameMeta &f) {
        return std::optional(frames.filePath(*f.file));
    };
    for (auto _ : state) {
        FramesSheet sheet(hour, QStringLiteral("Write the plan"), locate);
        sheet.resize(720, 560);
        sheet.show();
        QApplication::processEvents();
        QThreadPool::globalInstance()->waitForDone(); // the first screenful is not timed
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        scrollToBottom(sheet.findChild<QScrollArea *>()->verticalScrollBar());
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        state.counters["requested"] = requested(sheet);
    }
}

} // namespace

BENCHMARK(scrollSheet)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
