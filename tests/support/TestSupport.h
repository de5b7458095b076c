#pragma once

#include <QString>

namespace TestSupport {

/// Folder holding the fake judge and other executable fixtures.
QString fixturesDir();

/// The diagnostic log under a store root, empty when there is none yet.
QString diagLog(const QString &root);
/// Waits until the diagnostic log under `root` holds `line`.
bool waitForDiagLine(const QString &root, const QString &line, int ms = 15000);

} // namespace TestSupport
