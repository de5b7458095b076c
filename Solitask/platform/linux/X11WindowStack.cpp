#include "Solitask/platform/linux/X11WindowStack.h"

#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/linux/X11ErrorTrap.h"

#include <QGuiApplication>
#include <QWindow>

namespace {

// A window that goes away during the walk spoils it; the walk is redone a few
// times before giving up.
constexpr int attempts = 3;
// Where a pop-up, or a window without an identity, names its owner.
constexpr const char *ownerProperties[] = {"WM_TRANSIENT_FOR", "WM_CLIENT_LEADER"};

} // namespace

X11WindowStack::X11WindowStack(std::shared_ptr<X11Connection> connection, RunningApp own)
    : m_connection(std::move(connection))
    , m_properties(*m_connection)
    , m_identity(m_properties, std::move(own))
    , m_topLevels(*m_connection)
    , m_cover(*m_connection)
{
}

void X11WindowStack::ask(int screen)
{
    m_topLevels.ask(m_connection->root(screen));
}

std::optional<QList<StackedWindow>> X11WindowStack::read(
    int screen, const QSet<QString> &hiddenBundleIDs)
{
    for (int attempt = 0; attempt < attempts && m_connection->isAlive(); ++attempt) {
        X11ErrorTrap trap(m_connection->display());
        auto stack = readOnce(m_connection->root(screen), hiddenBundleIDs);
        if (trap.sync() == 0 && stack && m_connection->isAlive())
            return stack;
    }
    return std::nullopt;
}

std::optional<QList<StackedWindow>> X11WindowStack::readOnce(
    unsigned long root, const QSet<QString> &hiddenBundleIDs)
{
    const auto windows = m_topLevels.read(root);
    if (!windows)
        return std::nullopt;
    // Asked for every window, though only those from the lowest hidden one
    // up are read: they go out with the identity reads.
    m_cover.ask(*windows);
    const QList<bool> hidden = hiddenFlags(*windows, hiddenBundleIDs);
    const qsizetype lowest = hidden.indexOf(true);
    const qsizetype first = lowest < 0 ? windows->size() : lowest;
    QList<StackedWindow> result;
    for (qsizetype i = first; i < windows->size(); ++i)
        result.append({windows->at(i).frame, hidden[i]});
    m_cover.describe(windows->mid(first), result);
    return result;
}

// What the flags below read, asked for at once: a round trip for the windows
// and at most one for their owners, instead of one for each read.
void X11WindowStack::askAhead(const QList<X11TopLevel> &windows)
{
    QList<unsigned long> owned;
    for (const X11TopLevel &window : windows) {
        if (m_identity.ask(window.client) || window.overrideRedirect) {
            for (const char *property : ownerProperties)
                m_properties.ask(window.client, property);
            owned.append(window.client);
        }
    }
    m_properties.collect();
    for (const unsigned long client : std::as_const(owned))
        for (const char *property : ownerProperties)
            if (const auto owner = m_properties.window(client, property); owner && *owner != client)
                m_identity.ask(*owner);
    m_properties.collect();
}

QList<bool> X11WindowStack::hiddenFlags(
    const QList<X11TopLevel> &windows, const QSet<QString> &hiddenBundleIDs)
{
    askAhead(windows);
    const QSet<unsigned long> own = ownWindowIds();
    QList<bool> hidden;
    QList<qint32> pids;
    QSet<qint32> hiddenPids;
    QSet<unsigned long> seen;
    for (const X11TopLevel &window : windows) {
        const RunningApp app = m_identity.cached(window.client);
        bool isHidden = own.contains(window.window) || own.contains(window.client)
            || isHiddenApp(app, hiddenBundleIDs);
        if (!isHidden && (window.overrideRedirect || app.bundleID.isEmpty()))
            isHidden = ownerHidden(window.client, hiddenBundleIDs);
        if (isHidden && app.pid > 0)
            hiddenPids.insert(app.pid);
        hidden.append(isHidden);
        pids.append(app.pid);
        seen.insert(window.client);
    }
    for (qsizetype i = 0; i < hidden.size(); ++i)
        hidden[i] = hidden[i] || (pids[i] > 0 && hiddenPids.contains(pids[i]));
    m_identity.keepOnly(seen);
    m_properties.forget();
    return hidden;
}

bool X11WindowStack::isHiddenApp(const RunningApp &app, const QSet<QString> &hiddenBundleIDs) const
{
    if (app.pid != 0 && app.pid == m_identity.own().pid)
        return true;
    return !app.bundleID.isEmpty() && hiddenBundleIDs.contains(app.bundleID);
}

bool X11WindowStack::ownerHidden(unsigned long client, const QSet<QString> &hiddenBundleIDs)
{
    for (const char *property : {"WM_TRANSIENT_FOR", "WM_CLIENT_LEADER"}) {
        const auto owner = m_properties.window(client, property);
        if (owner && *owner != client && isHiddenApp(m_identity.cached(*owner), hiddenBundleIDs))
            return true;
    }
    return false;
}

QSet<unsigned long> X11WindowStack::ownWindowIds() const
{
    QSet<unsigned long> ids;
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return ids;
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window->handle())
            ids.insert(window->winId());
    }
    return ids;
}
