#pragma once

#include <QObject>

class QSocketNotifier;

/// Ends the event loop on SIGTERM, SIGINT or SIGHUP, so that a stopped
/// application still releases the keyboard and logs its end.
class QuitOnSignal : public QObject
{
    Q_OBJECT

public:
    explicit QuitOnSignal(QObject *parent = nullptr);
    ~QuitOnSignal() override;

private:
    static void handle(int signal);
    void received();

    QSocketNotifier *m_notifier = nullptr;
};
