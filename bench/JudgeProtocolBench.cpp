#include "SolitaskCore/JudgeProtocol.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

/// An hour's worth of frames: twenty captions, each with 30 KB of Base64.
QList<JudgeProtocol::FrameInput> hourOfFrames()
{
    QRandomGenerator random(42);
    QList<JudgeProtocol::FrameInput> frames;
    for (int i = 0; i < 20; ++i) {
        QByteArray jpeg(30 * 1024 * 3 / 4, Qt::Uninitialized);
        for (char &byte : jpeg)
            byte = char(random.bounded(256));
        frames.append(
            {QStringLiteral("09:%1 · Xcode — Parser notes").arg(i * 3, 2, 10, QLatin1Char('0')),
                QString::fromLatin1(jpeg.toBase64())});
    }
    return frames;
}

void ndjsonMessageOfAnHour(benchmark::State &state)
{
    const QList<JudgeProtocol::FrameInput> frames = hourOfFrames();
    const QString text
        = QStringLiteral("Declaration: \"finish the parser\" (2 h), declared at 09:00.");
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray line = JudgeProtocol::ndjsonMessage(text, frames);
        bytes += line.size();
        benchmark::DoNotOptimize(line.constData());
    }
    state.SetBytesProcessed(bytes);
}

} // namespace

BENCHMARK(ndjsonMessageOfAnHour)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
