#pragma once

#include <QByteArray>
#include <QString>

/// Owner-only folders and files, and whole-file replacement that a crash or a
/// full disk can not leave half-written.
namespace FileSafety {

/// Creates the folder and its missing parents; the folder itself becomes 0700.
bool makePrivateDir(const QString &path);

/// Writes `bytes` to a temporary file beside `path`, flushes it to disk, makes
/// it 0600 and renames it over `path`. On failure `path` is untouched.
bool writeAtomically(const QString &path, const QByteArray &bytes);

/// Renames `path` to `path` + suffix (+ ".1", ".2"… when taken), never
/// overwriting anything. Returns the new path, or empty on failure.
QString keepAside(const QString &path, const QString &suffix);

} // namespace FileSafety
