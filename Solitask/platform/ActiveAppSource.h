#pragma once

#include "Solitask/platform/RunningApp.h"
#include "Solitask/platform/Support.h"

#include <QObject>

#include <optional>

/// The application in front, and an event each time another one comes to
/// front. This base has no backend: nothing is ever in front.
class ActiveAppSource : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    /// The frontmost application now, none when nothing is in front.
    virtual std::optional<RunningApp> frontmost() { return std::nullopt; }

Q_SIGNALS:
    /// Another application came to front (delivered on the main thread).
    void activated(const RunningApp &app);
};
