#pragma once

#include <QImage>
#include <QObject>

#include <atomic>

struct pw_thread_loop;
struct pw_context;
struct pw_core;
struct pw_stream;

/// Reads one picture from a PipeWire video node, on PipeWire's own thread;
/// `arrived` or `failed` is emitted once, on this object's thread. Only
/// shared-memory buffers are taken: no GPU is needed.
class PipeWireFrame : public QObject
{
    Q_OBJECT

public:
    explicit PipeWireFrame(QObject *parent = nullptr);
    ~PipeWireFrame() override;

    /// False with `error` set when PipeWire cannot be reached.
    bool start(quint32 node, QString *error);

    /// PipeWire's callbacks; public for them only.
    void formatChanged(int width, int height, quint32 format);
    void bufferReady();
    void streamFailed(const QString &why);

Q_SIGNALS:
    void arrived(const QImage &image);
    void failed(const QString &why);

private:
    void deliver(const QImage &image, const QString &why);

    pw_thread_loop *m_loop = nullptr;
    pw_context *m_context = nullptr;
    pw_core *m_core = nullptr;
    pw_stream *m_stream = nullptr;
    struct Listener;
    Listener *m_listener = nullptr;
    int m_width = 0;
    int m_height = 0;
    quint32 m_format = 0;
    std::atomic_bool m_done = false;
};
