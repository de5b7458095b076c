#include "Solitask/platform/gnome/MutterScreenCast.h"

#include "Solitask/platform/gnome/PipeWireFrame.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>

namespace {

const QString service = QStringLiteral("org.gnome.Mutter.ScreenCast");
const QString sessionInterface = QStringLiteral("org.gnome.Mutter.ScreenCast.Session");
constexpr int callTimeoutMs = 5000;

QDBusMessage call(const QString &path, const QString &interface, const QString &method,
    const QVariantList &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, callTimeoutMs);
}

} // namespace

MutterScreenCast::MutterScreenCast(QObject *parent)
    : QObject(parent)
{
    m_limit.setSingleShot(true);
    m_limit.setInterval(timeLimitMs);
    connect(&m_limit, &QTimer::timeout, this,
        [this] { finish({}, QStringLiteral("the screen cast sent no picture in time")); });
}

MutterScreenCast::~MutterScreenCast()
{
    stopSession();
}

void MutterScreenCast::start()
{
    const QDBusReply<QDBusObjectPath> session = call(QStringLiteral("/org/gnome/Mutter/ScreenCast"),
        QStringLiteral("org.gnome.Mutter.ScreenCast"), QStringLiteral("CreateSession"),
        {QVariantMap()});
    if (!session.isValid()) {
        finish({}, QStringLiteral("Mutter's screen cast refused a session: %1")
                       .arg(session.error().message()));
        return;
    }
    m_session = session.value();
    // The primary monitor, without the pointer.
    const QVariantMap properties {{QStringLiteral("cursor-mode"), QVariant::fromValue(uint(0))}};
    const QDBusReply<QDBusObjectPath> stream = call(m_session.path(), sessionInterface,
        QStringLiteral("RecordMonitor"), {QString(), properties});
    if (!stream.isValid()) {
        finish({}, QStringLiteral("Mutter's screen cast refused the monitor: %1")
                       .arg(stream.error().message()));
        return;
    }
    m_stream = stream.value();
    QDBusConnection::sessionBus().connect(service, m_stream.path(),
        QStringLiteral("org.gnome.Mutter.ScreenCast.Stream"),
        QStringLiteral("PipeWireStreamAdded"), this, SLOT(streamAdded(uint)));
    m_limit.start();
    const QDBusMessage started = call(m_session.path(), sessionInterface, QStringLiteral("Start"));
    if (started.type() == QDBusMessage::ErrorMessage)
        finish({}, QStringLiteral("Mutter's screen cast did not start: %1")
                       .arg(started.errorMessage()));
}

void MutterScreenCast::streamAdded(uint node)
{
    if (m_finished || m_frame)
        return;
    m_frame = new PipeWireFrame(this);
    connect(m_frame, &PipeWireFrame::arrived, this, [this](const QImage &image) { finish(image, {}); });
    connect(m_frame, &PipeWireFrame::failed, this, [this](const QString &why) { finish({}, why); });
    QString error;
    if (!m_frame->start(node, &error))
        finish({}, error);
}

void MutterScreenCast::finish(const QImage &image, const QString &why)
{
    if (m_finished)
        return;
    m_finished = true;
    m_limit.stop();
    stopSession();
    if (image.isNull())
        Q_EMIT failed(why);
    else
        Q_EMIT arrived(image);
}

// The stream goes before the session, so PipeWire does not report its node's end as an error.
void MutterScreenCast::stopSession()
{
    // Possibly inside the frame's own signal: it goes once that returns.
    if (m_frame) {
        m_frame->disconnect(this);
        m_frame->deleteLater();
        m_frame = nullptr;
    }
    if (!m_stream.path().isEmpty())
        QDBusConnection::sessionBus().disconnect(service, m_stream.path(),
            QStringLiteral("org.gnome.Mutter.ScreenCast.Stream"),
            QStringLiteral("PipeWireStreamAdded"), this, SLOT(streamAdded(uint)));
    if (!m_session.path().isEmpty())
        call(m_session.path(), sessionInterface, QStringLiteral("Stop"));
    m_session = {};
    m_stream = {};
}
