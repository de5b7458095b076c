#include "Solitask/session/AppMode.h"

#include "SolitaskCore/Formatters.h"

QString AppMode::printed() const
{
    switch (kind) {
    case Kind::offDuty:
        return QStringLiteral("offDuty(until: %1)")
            .arg(until ? Formatters::iso(*until) : QStringLiteral("nil"));
    case Kind::onboarding:
        return QStringLiteral("onboarding");
    case Kind::gate:
        return QStringLiteral("gate");
    case Kind::committed:
        return QStringLiteral("committed");
    case Kind::quiet:
        return QStringLiteral("quiet");
    }
    return {};
}
