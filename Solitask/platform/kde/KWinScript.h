#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

class QDBusServiceWatcher;

/// Our window script inside KWin. It is written, with this connection's bus
/// name filled in, to a file only we can read, then loaded and started
/// through KWin's /Scripting; whenever KWin comes back on the bus (a
/// restart, a crash) it is loaded again.
class KWinScript : public QObject
{
    Q_OBJECT

public:
    KWinScript(QDBusConnection bus, QString source);
    ~KWinScript() override;

    /// Loads the script into the KWin that is on the bus now; false with
    /// error() set when it cannot.
    bool load();
    QString error() const { return m_error; }
    /// The bus name of the KWin that runs the script; empty when none.
    QString kwin() const { return m_kwin; }

Q_SIGNALS:
    /// KWin left the bus, or came back and runs the script again.
    void kwinChanged();

private:
    void ownerChanged(const QString &owner);
    void retryLoad(int attemptsLeft);
    bool writeFile();
    bool call(const QString &method, const QVariantList &args, QVariant *answer = nullptr);

    QDBusConnection m_bus;
    QString m_source;
    QString m_file;
    QString m_plugin;
    QString m_kwin;
    QString m_error;
    QDBusServiceWatcher *m_watcher = nullptr;
};
