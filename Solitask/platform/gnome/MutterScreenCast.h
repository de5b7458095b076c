#pragma once

#include <QDBusObjectPath>
#include <QImage>
#include <QObject>
#include <QTimer>

class PipeWireFrame;

/// One picture of the primary monitor through Mutter's screen cast: a session
/// is opened, one frame read from its PipeWire stream and the session closed
/// again, since the shell shows that the screen is being shared for as long
/// as a session lasts. `arrived` or `failed` follows `start` once.
class MutterScreenCast : public QObject
{
    Q_OBJECT

public:
    /// Mutter sends a picture only once it paints: a still screen may send none.
    static constexpr int timeLimitMs = 10000;

    explicit MutterScreenCast(QObject *parent = nullptr);
    ~MutterScreenCast() override;

    void start();

Q_SIGNALS:
    void arrived(const QImage &image);
    void failed(const QString &why);

private Q_SLOTS:
    void streamAdded(uint node);

private:
    void finish(const QImage &image, const QString &why);
    void stopSession();

    QDBusObjectPath m_session;
    QDBusObjectPath m_stream;
    PipeWireFrame *m_frame = nullptr;
    QTimer m_limit;
    bool m_finished = false;
};
