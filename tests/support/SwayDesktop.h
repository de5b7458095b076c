#pragma once

// The headless sway that tests/support/with-sway.sh started, driven through
// swaymsg, with native (foot) and XWayland (xterm) clients of known colours.

#include "support/DesktopTestKit.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <functional>
#include <memory>
#include <vector>

class SwayDesktop
{
public:
    ~SwayDesktop()
    {
        for (auto &client : m_clients) {
            client->kill();
            client->waitForFinished(3000);
        }
    }

    /// A native Wayland window with app id `id` filled with `background` (RRGGBB).
    bool openNative(const QString &id, const QString &title, const QString &background)
    {
        return open(QStringLiteral("foot"),
            {QStringLiteral("--app-id=") + id, QStringLiteral("--title=") + title,
                QStringLiteral("--override=colors.background=") + background,
                QStringLiteral("sleep"), QStringLiteral("600")},
            QStringLiteral("[app_id=\"%1\"]").arg(id));
    }

    /// An XWayland window of X class `xClass` filled with `background` (#RRGGBB).
    bool openXWayland(const QString &xClass, const QString &title, const QString &background)
    {
        return open(QStringLiteral("xterm"),
            {QStringLiteral("-class"), xClass, QStringLiteral("-T"), title, QStringLiteral("-bg"),
                background, QStringLiteral("-e"), QStringLiteral("sleep"), QStringLiteral("600")},
            QStringLiteral("[class=\"%1\"]").arg(xClass));
    }

    /// Runs a sway command; `criteria` picks windows as in the sway config.
    static bool command(const QString &text) { return swaymsg({text}).has_value(); }

    static std::optional<QJsonDocument> tree()
    {
        const auto out = swaymsg({QStringLiteral("-t"), QStringLiteral("get_tree")});
        return out ? std::optional(QJsonDocument::fromJson(*out)) : std::nullopt;
    }

private:
    static std::optional<QByteArray> swaymsg(QStringList args)
    {
        QProcess process;
        args.prepend(qEnvironmentVariable("SOLITASK_SWAYSOCK"));
        args.prepend(QStringLiteral("-s"));
        process.start(QStringLiteral("swaymsg"), args);
        if (!process.waitForFinished(5000) || process.exitCode() != 0)
            return std::nullopt;
        return process.readAllStandardOutput();
    }

    bool open(const QString &program, const QStringList &args, const QString &criteria)
    {
        auto client = std::make_unique<QProcess>();
        client->setStandardOutputFile(QProcess::nullDevice());
        client->setStandardErrorFile(QProcess::nullDevice());
        client->start(program, args);
        if (!client->waitForStarted(5000))
            return false;
        m_clients.push_back(std::move(client));
        // The window is there once a command can pick it.
        const QString mark = QStringLiteral(" mark --add seen%1").arg(m_clients.size());
        return DesktopTestKit::waitUntil([&] { return command(criteria + mark); }, 10000);
    }

    std::vector<std::unique_ptr<QProcess>> m_clients;
};
