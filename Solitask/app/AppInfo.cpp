#include "Solitask/app/AppInfo.h"

namespace AppInfo {

QString name()
{
    return QStringLiteral("Solitask");
}

QString version()
{
    return QStringLiteral(SOLITASK_VERSION);
}

} // namespace AppInfo
