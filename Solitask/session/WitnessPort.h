#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

/// What one capture needs to know.
struct CaptureRequest
{
    QStringList privateBundleIDs;
    bool skipWhileCamera = true;
    int width = 784;
    double idleLimit = 600;
};

/// Frame capture as the session uses it.
class WitnessPort
{
public:
    virtual ~WitnessPort() = default;

    /// Takes one frame; `done` runs later on the main thread with a frame or a skip.
    virtual void capture(const CaptureRequest &request, std::function<void(FrameMeta)> done) = 0;
    /// A frame from the sample set, for the dry run.
    virtual FrameMeta fakeCapture(int index) = 0;
    /// Removes frame files older than the retention, except those in `keep`.
    virtual void cleanup(int retentionHours, const QSet<QString> &keep, const QDateTime &now) = 0;
    virtual QString framesDir() const = 0;
    virtual bool isScreenLocked() const = 0;
    /// Whether the screen may be captured at all (the glyph is filled only then).
    virtual bool canCapture() const = 0;
};
