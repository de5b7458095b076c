#include "Solitask/platform/wayland/SwayIpc.h"

#include <QDeadlineTimer>
#include <QJsonObject>

#include <cstring>

namespace {

constexpr int answerMs = 1000;
const QByteArray magic = QByteArrayLiteral("i3-ipc");
constexpr int headerSize = 6 + 4 + 4;
constexpr quint32 eventBit = 0x80000000u;

quint32 field(const QByteArray &data, int at)
{
    quint32 value = 0;
    std::memcpy(&value, data.constData() + at, sizeof value);
    return value;
}

bool readExactly(QLocalSocket &socket, qint64 size, QByteArray &into, QDeadlineTimer deadline)
{
    while (socket.bytesAvailable() < size) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    into = socket.read(size);
    return true;
}

} // namespace

SwayIpc::SwayIpc(QString socketPath, QObject *parent)
    : QObject(parent)
    , m_path(std::move(socketPath))
{
    connect(&m_events, &QLocalSocket::readyRead, this, &SwayIpc::readEvents);
}

QByteArray SwayIpc::message(quint32 type, const QByteArray &payload)
{
    QByteArray data = magic;
    const quint32 length = quint32(payload.size());
    data.append(reinterpret_cast<const char *>(&length), sizeof length);
    data.append(reinterpret_cast<const char *>(&type), sizeof type);
    return data + payload;
}

bool SwayIpc::ensureConnected(QLocalSocket &socket)
{
    if (socket.state() == QLocalSocket::ConnectedState)
        return true;
    socket.abort();
    socket.connectToServer(m_path);
    return socket.waitForConnected(answerMs);
}

std::optional<QJsonDocument> SwayIpc::request(Type type, const QByteArray &payload)
{
    if (!ensureConnected(m_requests))
        return std::nullopt;
    m_requests.write(message(type, payload));
    const QDeadlineTimer deadline(answerMs);
    QByteArray header, body;
    // Replies come in order on this connection, and it carries no events.
    if (!m_requests.waitForBytesWritten(answerMs)
        || !readExactly(m_requests, headerSize, header, deadline) || !header.startsWith(magic)
        || field(header, 10) != type
        || !readExactly(m_requests, field(header, 6), body, deadline)) {
        m_requests.abort();
        return std::nullopt;
    }
    QJsonParseError error;
    const QJsonDocument reply = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    return reply;
}

bool SwayIpc::subscribeToWindows()
{
    if (!ensureConnected(m_events))
        return false;
    m_events.write(message(subscribe, QByteArrayLiteral("[\"window\"]")));
    return m_events.waitForBytesWritten(answerMs);
}

void SwayIpc::readEvents()
{
    m_pending += m_events.readAll();
    while (m_pending.size() >= headerSize) {
        const quint32 length = field(m_pending, 6);
        if (m_pending.size() < headerSize + qsizetype(length))
            return;
        const quint32 type = field(m_pending, 10);
        const QByteArray body = m_pending.mid(headerSize, length);
        m_pending.remove(0, headerSize + length);
        if (type & eventBit)
            Q_EMIT windowEvent(QJsonDocument::fromJson(body).object());
    }
}
