#include "Solitask/app/LoggedLoginItem.h"

#include "SolitaskCore/Diag.h"

bool LoggedLoginItem::setEnabled(bool enabled)
{
    if (m_item.setEnabled(enabled))
        return true;
    const Support support = m_item.support();
    const QString why = support.supported ? QStringLiteral("the autostart entry could not be changed")
                                          : support.reason;
    Diag::log(QStringLiteral("LoginItem %1 failed: %2")
                  .arg(enabled ? QStringLiteral("register") : QStringLiteral("unregister"), why));
    return false;
}
