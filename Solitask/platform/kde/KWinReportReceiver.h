#pragma once

#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>

#include <functional>

/// The D-Bus object our script inside KWin calls with each window report.
/// Only the KWin that runs the script is heard: anyone else on the bus could
/// otherwise hide a private window by reporting it elsewhere.
class KWinReportReceiver : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.solitask.KWinWindows")

public:
    static constexpr const char *path = "/org/solitask/KWinWindows";

    /// `kwin` names the bus name to hear, `received` takes the reports.
    KWinReportReceiver(
        std::function<QString()> kwin, std::function<void(const QByteArray &)> received)
        : m_kwin(std::move(kwin))
        , m_received(std::move(received))
    {
    }

public Q_SLOTS:
    Q_SCRIPTABLE void report(const QString &json)
    {
        if (calledFromDBus() && message().service() == m_kwin())
            m_received(json.toUtf8());
    }

private:
    std::function<QString()> m_kwin;
    std::function<void(const QByteArray &)> m_received;
};
