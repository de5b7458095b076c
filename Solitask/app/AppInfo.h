#pragma once

#include <QString>

namespace AppInfo {

QString name();
QString version();

} // namespace AppInfo
