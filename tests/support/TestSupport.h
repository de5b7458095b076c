#pragma once

#include <QString>

namespace TestSupport {

/// Folder holding the fake judge and other executable fixtures.
QString fixturesDir();

} // namespace TestSupport
