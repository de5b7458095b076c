#include "Solitask/platform/kde/XWaylandNames.h"

#include "Solitask/platform/linux/X11AppIdentity.h"
#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/X11Properties.h"

XWaylandNames::XWaylandNames(RunningApp own)
    : m_own(std::move(own))
{
}

XWaylandNames::~XWaylandNames() = default;

bool XWaylandNames::connected()
{
    if (m_connection && m_connection->isAlive())
        return true;
    m_identity.reset();
    m_properties.reset();
    m_connection = X11Connection::open();
    if (!m_connection)
        return false;
    m_properties = std::make_unique<X11Properties>(*m_connection);
    m_identity = std::make_unique<X11AppIdentity>(*m_properties, m_own);
    return true;
}

std::optional<RunningApp> XWaylandNames::name(unsigned long window)
{
    if (!connected())
        return std::nullopt;
    RunningApp app = m_identity->cached(window);
    if (app.bundleID.isEmpty())
        return std::nullopt;
    return app;
}

void XWaylandNames::keepOnly(const QSet<unsigned long> &alive)
{
    if (m_identity)
        m_identity->keepOnly(alive);
}
