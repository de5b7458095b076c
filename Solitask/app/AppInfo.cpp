#include "Solitask/app/AppInfo.h"

#include <QGuiApplication>

namespace AppInfo {

QString name()
{
    return QStringLiteral("Solitask");
}

QString version()
{
    return QStringLiteral(SOLITASK_VERSION);
}

QString id()
{
    return QStringLiteral(SOLITASK_APP_ID);
}

QString command()
{
    return QStringLiteral("solitask");
}

void declare()
{
    // The application name becomes the WM_CLASS class, which the desktop
    // entry's StartupWMClass names.
    QCoreApplication::setApplicationName(name());
    QCoreApplication::setApplicationVersion(version());
    QGuiApplication::setDesktopFileName(id());
}

} // namespace AppInfo
