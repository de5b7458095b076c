#pragma once

// The headless KWin that tests/support/with-kwin.sh started: native windows
// (ColourWindow on Wayland) and XWayland ones (xterm) of known colours,
// placed and activated through small KWin scripts.

#include "support/DesktopTestKit.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

class KWinDesktop
{
public:
    ~KWinDesktop() { closeAll(); }

    /// A native Wayland window with app id `id` filled with `colour` (RRGGBB).
    bool openNative(const QString &id, const QString &title, const QString &colour)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        return start(QStringLiteral(SOLITASK_COLOUR_WINDOW), {id, title, colour}, env);
    }

    /// An XWayland window of X class `xClass` filled with `colour` (RRGGBB).
    bool openXWayland(const QString &xClass, const QString &title, const QString &colour)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display());
        return start(QStringLiteral("xterm"),
            {QStringLiteral("-class"), xClass, QStringLiteral("-T"), title, QStringLiteral("-bg"),
                QLatin1Char('#') + colour, QStringLiteral("-e"), QStringLiteral("sleep"),
                QStringLiteral("600")},
            env);
    }

    /// Moves the window titled `title` to (x, y), and activates it if asked.
    bool place(const QString &title, int x, int y, bool activate = false)
    {
        return run(QStringLiteral("workspace.clientList().forEach(function (c) {"
                                  "  if (c.caption != '%1') return;"
                                  "  var g = c.frameGeometry; g.x = %2; g.y = %3;"
                                  "  c.frameGeometry = g;"
                                  "  if (%4) workspace.activeClient = c; });")
                       .arg(title)
                       .arg(x)
                       .arg(y)
                       .arg(activate ? "true" : "false"));
    }

    bool activate(const QString &title)
    {
        return run(QStringLiteral("workspace.clientList().forEach(function (c) {"
                                  "  if (c.caption == '%1') workspace.activeClient = c; });")
                       .arg(title));
    }

    /// Presses the Linux key codes in order through KWin's fake input and
    /// lets them go in reverse.
    static bool type(const QStringList &codes)
    {
        return QProcess::execute(QStringLiteral(SOLITASK_FAKE_INPUT), codes) == 0;
    }

    /// Puts the pointer at `at` in workspace coordinates.
    static bool point(QPoint at)
    {
        return QProcess::execute(QStringLiteral(SOLITASK_FAKE_INPUT),
                   {QStringLiteral("--pointer"), QString::number(at.x()), QString::number(at.y())})
            == 0;
    }

    /// A pointer of the test's own that stays plugged in while it lives: the
    /// seat has no pointer between two short `point` calls, and a client
    /// hears of one only after it has moved.
    class HeldPointer
    {
    public:
        HeldPointer()
        {
            m_process.start(QStringLiteral(SOLITASK_FAKE_INPUT), {QStringLiteral("--follow")});
            m_process.waitForStarted(5000);
        }
        ~HeldPointer()
        {
            m_process.closeWriteChannel();
            m_process.waitForFinished(3000);
        }
        bool moveTo(QPoint at)
        {
            m_process.write(QStringLiteral("%1 %2\n").arg(at.x()).arg(at.y()).toLatin1());
            return m_process.waitForReadyRead(5000) && m_process.readLine().startsWith("moved");
        }

    private:
        QProcess m_process;
    };

    /// Stops KWin, or starts it again (with-kwin.sh's command).
    static bool kwin(const char *what)
    {
        return QProcess::execute(
                   qEnvironmentVariable("SOLITASK_KWIN_RESTART"), {QString::fromLatin1(what)})
            == 0;
    }

    void closeAll()
    {
        for (auto &client : m_clients) {
            client->kill();
            client->waitForFinished(3000);
        }
        m_clients.clear();
    }

private:
    static QString display()
    {
        QFile file(qEnvironmentVariable("SOLITASK_KWIN_DISPLAY_FILE"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().trimmed())
                                              : qEnvironmentVariable("DISPLAY");
    }

    bool start(const QString &program, const QStringList &args, const QProcessEnvironment &env)
    {
        auto client = std::make_unique<QProcess>();
        client->setProcessEnvironment(env);
        client->setStandardOutputFile(QProcess::nullDevice());
        client->setStandardErrorFile(QProcess::nullDevice());
        client->start(program, args);
        if (!client->waitForStarted(5000))
            return false;
        m_clients.push_back(std::move(client));
        return true;
    }

    // Loads the script under a name of its own, runs it and unloads it.
    bool run(const QString &source)
    {
        const QString name = QStringLiteral("solitask-test-%1").arg(++m_scripts);
        const QString file = m_dir.filePath(name + QStringLiteral(".js"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(source.toUtf8()) < 0)
            return false;
        out.close();
        const bool ok
            = call(QStringLiteral("loadScript"), {file, name}) && call(QStringLiteral("start"), {});
        call(QStringLiteral("unloadScript"), {name});
        return ok;
    }

    static bool call(const QString &method, const QVariantList &args)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.kde.KWin"),
            QStringLiteral("/Scripting"), QStringLiteral("org.kde.kwin.Scripting"), method);
        message.setArguments(args);
        return QDBusConnection::sessionBus().call(message).type() == QDBusMessage::ReplyMessage;
    }

    QTemporaryDir m_dir;
    int m_scripts = 0;
    std::vector<std::unique_ptr<QProcess>> m_clients;
};
