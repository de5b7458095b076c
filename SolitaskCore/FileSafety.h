#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

/// Owner-only folders and files, whole-file replacement that a crash or a full
/// disk can not leave half-written, and reading that neither follows a link
/// nor opens anything but a regular file.
namespace FileSafety {

/// Creates the folder and its missing parents as 0700. A folder that already
/// exists keeps its mode: the person may have made it read-only on purpose.
bool makePrivateDir(const QString &path);

/// Writes `bytes` to a new 0600 temporary file beside `path`, flushes it to
/// disk and renames it over `path`. A link at `path` is replaced, never
/// followed. On failure `path` is untouched and `why` (when given) says why.
bool writeAtomically(const QString &path, const QByteArray &bytes, QString *why = nullptr);

/// Why a file could not be read; `missing` when there was nothing to read.
struct ReadFailure
{
    bool missing = false;
    QString reason;
};

/// The whole content of a regular file of at most `maxBytes` bytes. A link,
/// a FIFO or a device is refused without being read from, and the limit holds
/// however large the file claims or turns out to be.
std::variant<QByteArray, ReadFailure> readRegularFile(const QString &path, qint64 maxBytes);

/// Removes the temporary files `writeAtomically` left in `folder` when the
/// process died before renaming them. Only the folder's one writer may call it.
void removeLeftoverTemporaries(const QString &folder);

/// Renames `path` to `path` + suffix (+ ".1", ".2"… when taken), never
/// overwriting anything. Returns the new path, or empty on failure.
QString keepAside(const QString &path, const QString &suffix);

/// Opens (creating it 0600) a file for appending, never through a link.
/// Returns the descriptor, or -1.
int openForAppend(const QString &path);

/// Why a folder cannot hold Solitask's data, or empty when it can: it must be
/// a folder (or creatable as one) that this user can write to.
QString folderProblem(const QString &path);

/// True when users other than the owner may write to the folder.
bool writableByOthers(const QString &path);

} // namespace FileSafety
