#include "Solitask/platform/kde/GlobalHotKeyKGlobalAccel.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QKeySequence>

namespace {

const QString service = QStringLiteral("org.kde.kglobalaccel");
const QString component = QStringLiteral("org.kde.kglobalaccel.Component");
// The service's flag for a shortcut that is in use now (not only a default).
constexpr uint setPresent = 2;
constexpr int heldElsewhere = 10;
constexpr int noService = 1;

int ctrlAltO()
{
    return QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_O)[0].toCombined();
}

} // namespace

GlobalHotKeyKGlobalAccel::GlobalHotKeyKGlobalAccel(
    QDBusConnection bus, const QString &appId, const QString &appName)
    : m_bus(std::move(bus))
    , m_actionId({appId, QStringLiteral("summon"), appName, QStringLiteral("Show Solitask")})
{
    auto *watcher
        = new QDBusServiceWatcher(service, m_bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        if (m_wanted)
            registerHotKey();
    });
}

Support GlobalHotKeyKGlobalAccel::support() const
{
    return m_problem.isEmpty() ? Support::yes() : Support::no(m_problem);
}

int GlobalHotKeyKGlobalAccel::registerHotKey()
{
    m_wanted = true;
    QVariant keys;
    if (!call(QStringLiteral("doRegister"), {m_actionId})
        || !call(QStringLiteral("setShortcut"),
            {m_actionId, QVariant::fromValue(QList<int> {ctrlAltO()}), setPresent}, &keys)
        || !listen())
        return noService;
    // The service answers with the keys the action has now: none when
    // another component holds Control+Alt+O, another when the person chose one.
    if (qdbus_cast<QList<int>>(keys).isEmpty()) {
        m_problem = QStringLiteral("another program holds Control+Alt+O; give Solitask another "
                                   "key in System Settings, Shortcuts");
        return heldElsewhere;
    }
    m_problem.clear();
    return 0;
}

void GlobalHotKeyKGlobalAccel::unregisterHotKey()
{
    m_wanted = false;
    call(QStringLiteral("setInactive"), {m_actionId});
}

bool GlobalHotKeyKGlobalAccel::listen()
{
    QVariant path;
    if (!call(QStringLiteral("getComponent"), {m_actionId.first()}, &path))
        return false;
    const QString componentPath = qdbus_cast<QDBusObjectPath>(path).path();
    if (componentPath == m_componentPath)
        return true;
    m_componentPath = componentPath;
    return m_bus.connect(service, m_componentPath, component,
        QStringLiteral("globalShortcutPressed"), this,
        SLOT(onPressed(QString, QString, qlonglong)));
}

void GlobalHotKeyKGlobalAccel::onPressed(
    const QString &componentId, const QString &action, qlonglong)
{
    if (componentId == m_actionId.at(0) && action == m_actionId.at(1))
        Q_EMIT pressed();
}

bool GlobalHotKeyKGlobalAccel::call(
    const QString &method, const QVariantList &args, QVariant *answer)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        service, QStringLiteral("/kglobalaccel"), QStringLiteral("org.kde.KGlobalAccel"), method);
    message.setArguments(args);
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        m_problem
            = QStringLiteral("KDE's global shortcuts do not answer (%1)").arg(reply.errorMessage());
        return false;
    }
    if (answer)
        *answer = reply.arguments().value(0);
    return true;
}
