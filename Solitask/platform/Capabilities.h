#pragma once

#include <QList>
#include <QString>

struct PlatformServices;

/// One thing the witness needs from the desktop, as the person should see it.
struct Capability
{
    QString name; // "frames", "active app", ...
    bool works = false;
    QString backend; // what provides it in this session
    QString advice; // what the person can do when it does not work, else empty
};

/// Whether frames, the active app, private blanking, idle, lock, the hot key
/// and the Alt double tap work in this session, by which backend, and what to
/// do about a missing one.
QList<Capability> capabilities(const PlatformServices &services);

/// The advice for the capability `name` when it does not work, else empty.
QString adviceFor(const QList<Capability> &list, const QString &name);
