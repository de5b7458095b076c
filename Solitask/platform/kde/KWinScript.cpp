#include "Solitask/platform/kde/KWinScript.h"

#include "SolitaskCore/Diag.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QString kwinService = QStringLiteral("org.kde.KWin");
const QString scripting = QStringLiteral("org.kde.kwin.Scripting");
// KWin registers its name a moment before /Scripting answers.
constexpr int loadAttempts = 20;
constexpr int retryMs = 250;

} // namespace

KWinScript::KWinScript(QDBusConnection bus, QString source)
    : m_bus(std::move(bus))
    , m_source(std::move(source))
    , m_plugin(QStringLiteral("solitask-windows-%1").arg(QCoreApplication::applicationPid()))
{
    m_source.replace(QLatin1String("@SOLITASK_SERVICE@"), m_bus.baseService());
    m_watcher = new QDBusServiceWatcher(
        kwinService, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
        [this](const QString &, const QString &, const QString &owner) { ownerChanged(owner); });
}

KWinScript::~KWinScript()
{
    if (!m_kwin.isEmpty())
        call(QStringLiteral("unloadScript"), {m_plugin});
    if (!m_file.isEmpty())
        QFile::remove(m_file);
}

bool KWinScript::load()
{
    m_kwin.clear();
    const QString owner
        = m_bus.interface() ? m_bus.interface()->serviceOwner(kwinService).value() : QString();
    if (owner.isEmpty()) {
        m_error = QStringLiteral("KWin is not on the session bus");
        return false;
    }
    if (!writeFile())
        return false;
    // A script of ours left from before (same process, earlier KWin state) goes first.
    call(QStringLiteral("unloadScript"), {m_plugin});
    QVariant id;
    if (!call(QStringLiteral("loadScript"), {m_file, m_plugin}, &id))
        return false;
    if (id.toInt() < 0) {
        m_error = QStringLiteral("KWin refused to load the window script");
        return false;
    }
    if (!call(QStringLiteral("start"), {}))
        return false;
    m_kwin = owner;
    m_error.clear();
    return true;
}

void KWinScript::ownerChanged(const QString &owner)
{
    m_kwin.clear();
    if (owner.isEmpty()) {
        m_error = QStringLiteral("KWin left the session bus");
        Diag::log(QStringLiteral("kwin: gone; window facts withheld until it returns"));
        Q_EMIT kwinChanged();
        return;
    }
    retryLoad(loadAttempts);
}

void KWinScript::retryLoad(int attemptsLeft)
{
    if (load()) {
        Diag::log(QStringLiteral("kwin: window script loaded again"));
        Q_EMIT kwinChanged();
        return;
    }
    if (attemptsLeft <= 1) {
        Diag::log(QStringLiteral("kwin: cannot load the window script: ") + m_error);
        Q_EMIT kwinChanged();
        return;
    }
    QTimer::singleShot(retryMs, this, [this, attemptsLeft] { retryLoad(attemptsLeft - 1); });
}

// KWin reads the script from a file; ours lives in the runtime folder, which
// only this user can enter.
bool KWinScript::writeFile()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    m_file
        = QDir(dir.isEmpty() ? QDir::tempPath() : dir).filePath(m_plugin + QStringLiteral(".js"));
    QSaveFile file(m_file);
    if (file.open(QIODevice::WriteOnly)) {
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        file.write(m_source.toUtf8());
        if (file.commit())
            return true;
    }
    m_error = QStringLiteral("cannot write the window script to %1").arg(m_file);
    return false;
}

bool KWinScript::call(const QString &method, const QVariantList &args, QVariant *answer)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        kwinService, QStringLiteral("/Scripting"), scripting, method);
    message.setArguments(args);
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        m_error = QStringLiteral("KWin's scripting does not answer (%1)").arg(reply.errorMessage());
        return false;
    }
    if (answer)
        *answer = reply.arguments().value(0);
    return true;
}
