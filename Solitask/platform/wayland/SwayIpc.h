#pragma once

#include <QJsonDocument>
#include <QLocalSocket>
#include <QObject>

#include <optional>

/// sway's IPC socket ($SWAYSOCK): requests answered synchronously, and the
/// window events it sends to a subscriber.
class SwayIpc : public QObject
{
    Q_OBJECT

public:
    enum Type : quint32 { subscribe = 2, getTree = 4 };

    explicit SwayIpc(QString socketPath, QObject *parent = nullptr);

    /// The reply to one request, none when sway does not answer in time.
    std::optional<QJsonDocument> request(Type type, const QByteArray &payload = {});
    /// Starts listening for window events on a connection of their own.
    bool subscribeToWindows();

Q_SIGNALS:
    void windowEvent(const QJsonObject &event);

private:
    static QByteArray message(quint32 type, const QByteArray &payload);
    bool ensureConnected(QLocalSocket &socket);
    void readEvents();

    QString m_path;
    QLocalSocket m_requests;
    QLocalSocket m_events;
    QByteArray m_pending;
};
