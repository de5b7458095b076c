#include "Solitask/witness/PeekCommand.h"

#include "Solitask/session/CaptureSettings.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/SystemClock.h"
#include "Solitask/witness/SelfTest.h"
#include "Solitask/witness/Witness.h"
#include "SolitaskCore/FileSafety.h"

#include <QTemporaryDir>

#include <cstdio>

namespace {

int refuse(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    return 1;
}

} // namespace

int PeekCommand::run(PlatformServices &platform, const QString &file)
{
    Prefs::registerDefaults();
    // The witness wants a frames folder; it stays empty.
    QTemporaryDir unused;
    SystemClock clock;
    Witness witness(unused.path(), platform, clock);
    auto peek = std::make_shared<std::optional<Witness::Peek>>();
    witness.peek(CaptureSettings::current(), [peek](Witness::Peek p) { *peek = std::move(p); });
    if (!SelfTest::runUntil([&] { return peek->has_value(); }, 20, 0.05))
        return refuse(QStringLiteral("no frame: timed out"));
    const Witness::Peek &result = **peek;
    if (result.skipped) {
        const QString why
            = result.error.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(result.error);
        return refuse(QStringLiteral("skipped: ") + rawValue(*result.skipped) + why);
    }
    if (!FileSafety::writeAtomically(file, result.jpeg))
        return refuse(QStringLiteral("cannot write ") + file);
    return 0;
}
