#include "Solitask/platform/gnome/GnomeShellWindows.h"

#include "Solitask/platform/gnome/GnomeWindowList.h"
#include "SolitaskCore/Diag.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QJsonDocument>

namespace {

const QString service = QStringLiteral("org.gnome.Shell");
const QString path = QStringLiteral("/org/solitask/Solitask/ShellWindows");
const QString interface = QStringLiteral("org.solitask.Solitask.ShellWindows");
// The shell answers from its main loop; a busy shell must not hold a frame up long.
constexpr int callTimeoutMs = 2000;

} // namespace

GnomeShellWindows::GnomeShellWindows(qint32 ownPid)
    : m_ownPid(ownPid)
{
    QDBusConnection::sessionBus().connect(
        service, path, interface, QStringLiteral("FocusChanged"), this, SIGNAL(focusChanged()));
}

GnomeShellWindows::~GnomeShellWindows() = default;

QString GnomeShellWindows::extensionId()
{
    return QStringLiteral(SOLITASK_SHELL_EXTENSION);
}

QString GnomeShellWindows::enableAdvice()
{
    return QStringLiteral("turn on Solitask's GNOME Shell extension: run `gnome-extensions enable "
                          "%1`, then log out and in again; it tells Solitask where private "
                          "windows are, so they never reach a frame")
        .arg(extensionId());
}

Support GnomeShellWindows::support() const
{
    if (report())
        return Support::yes();
    return Support::no(QStringLiteral("the Solitask extension of GNOME Shell does not answer"));
}

std::optional<QJsonObject> GnomeShellWindows::report() const
{
    const QDBusReply<QString> reply = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Windows")),
        QDBus::Block, callTimeoutMs);
    if (!reply.isValid())
        return std::nullopt;
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(reply.value().toUtf8(), &error);
    if (!document.isObject()) {
        Diag::log(QStringLiteral("gnome: unreadable window report: %1").arg(error.errorString()));
        return std::nullopt;
    }
    return document.object();
}

std::optional<WaylandWindow> GnomeShellWindows::focused()
{
    const auto list = report();
    return list ? GnomeWindowList::focused(*list) : std::nullopt;
}

QList<WaylandWindow> GnomeShellWindows::windows()
{
    const auto list = report();
    return list ? GnomeWindowList::windows(*list) : QList<WaylandWindow>();
}

std::optional<WaylandScene> GnomeShellWindows::scene(const QSet<QString> &hiddenIDs)
{
    const auto list = report();
    if (!list)
        return std::nullopt;
    return GnomeWindowList::scene(*list, hiddenIDs, m_ownPid);
}
