#include "Solitask/app/AppIcon.h"

#include "Solitask/app/AppInfo.h"
#include "SolitaskCore/Diag.h"

namespace AppIcon {

QIcon load()
{
    if (QIcon::hasThemeIcon(AppInfo::id()))
        return QIcon::fromTheme(AppInfo::id());
    Diag::log(QStringLiteral("icon: %1 not in the icon theme; using the built-in copy")
                  .arg(AppInfo::id()));
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/solitask/icons/%1.png").arg(side), QSize(side, side));
    return icon;
}

} // namespace AppIcon
