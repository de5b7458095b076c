#pragma once

#include "Solitask/session/Clock.h"
#include "Solitask/session/WitnessPort.h"
#include "SolitaskCore/DayRecords.h"

#include <QObject>

#include <optional>

struct CaptureResult;
struct PlatformServices;

/// Takes one small frame of the screen per capture tick, or records why it did
/// not: the privacy and availability rules run first, in a fixed order, and
/// every problem becomes a skipped frame. Also removes old frame files.
class Witness : public QObject, public WitnessPort
{
    Q_OBJECT

public:
    /// The frontmost app as seen when a capture starts.
    struct Frontmost
    {
        QString name = QStringLiteral("Unknown");
        QString bundleID;
        qint32 pid = 0;
        QString windowTitle;
    };

    /// Creates `framesDir` owner-only; an error doing so is ignored.
    Witness(QString framesDir, PlatformServices &platform, const Clock &clock,
        QObject *parent = nullptr);

    /// What a capture now would give, kept in memory only.
    struct Peek
    {
        std::optional<SkipReason> skipped;
        QByteArray jpeg;
        QString error; // why a frame failed
    };

    void capture(const CaptureRequest &request, std::function<void(FrameMeta)> done) override;
    /// The same rules and the same blanking as `capture`, without a file, a log
    /// line or a change of `lastSkip`.
    void peek(const CaptureRequest &request, std::function<void(Peek)> done);
    FrameMeta fakeCapture(int index) override;
    void cleanup(int retentionHours, const QSet<QString> &keep, const QDateTime &now) override;
    QString framesDir() const override { return m_framesDir; }
    bool isScreenLocked() const override;
    bool canCapture() const override;

    /// The frame's file when it is set, a plain file name, and on disk.
    std::optional<QString> url(const FrameMeta &frame) const;
    Frontmost frontmost() const;
    QString windowTitle(qint32 pid) const;
    std::optional<SkipReason> lastSkip() const { return m_lastSkip; }
    bool capturing() const { return m_capturing; }

private:
    std::optional<SkipReason> earlyReason(const CaptureRequest &request) const;
    static std::optional<SkipReason> laterReason(const CaptureRequest &request,
        const Frontmost &front, bool camera, bool busy);
    void checkCamera(bool wanted, std::function<void(bool)> done);
    void grab(const CaptureRequest &request, const QDateTime &now, const Frontmost &front,
        std::function<void(FrameMeta)> done);
    FrameMeta skipped(SkipReason reason, const QDateTime &now, const Frontmost &front);
    FrameMeta finish(const CaptureResult &result, const QDateTime &now, const Frontmost &front,
        int width);
    FrameMeta failed(const QString &error, const QDateTime &now, const Frontmost &front);
    FrameMeta unsure(const QString &why, const QDateTime &now, const Frontmost &front);
    bool writeFrame(const QString &file, const QByteArray &jpeg) const;

    QString m_framesDir;
    PlatformServices &m_platform;
    const Clock &m_clock;
    std::optional<SkipReason> m_lastSkip;
    bool m_capturing = false;
    QString m_lastFailure; // a failure that repeats every tick is logged once
};
