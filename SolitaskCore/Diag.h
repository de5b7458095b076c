#pragma once

#include <QString>

/// The one logging call. Lines go to root/diag.log (ISO time, a space, the
/// message) on a serial background writer, and are echoed to the system log.
namespace Diag {

void log(const QString &message);

/// The folder holding diag.log; the store's default root until set.
void setRoot(const QString &root);
QString logPath();

/// Waits until every line logged so far is on disk.
void flush();

/// The size at which the log is started afresh, once per process.
constexpr qint64 trimBytes = 2000001;

} // namespace Diag
