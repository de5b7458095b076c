#pragma once

#include "SolitaskCore/DayRecords.h"

#include <QObject>
#include <QString>

#include <optional>

class Store;

/// What the journal needs of the session: the store to read, its change
/// counter, corrections and the location of frame pictures.
class JournalSession : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual Store &store() = 0;
    virtual int revision() const = 0;
    virtual void correct(const QString &hourID, std::optional<Correction> correction) = 0;
    virtual std::optional<QString> frameURL(const FrameMeta &frame) const = 0;
    /// The frames taken for a solitask since its last stored hour, not judged yet.
    virtual std::optional<HourRecord> pendingPeriod(const QString &thingID) const
    {
        Q_UNUSED(thingID);
        return std::nullopt;
    }

Q_SIGNALS:
    /// Stored day data changed; views re-read the store.
    void revisionChanged();
};
