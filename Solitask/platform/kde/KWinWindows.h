#pragma once

#include "Solitask/platform/Support.h"
#include "Solitask/platform/kde/KWinWindowReport.h"
#include "Solitask/platform/wayland/WaylandWindowSource.h"

#include <QDBusConnection>

#include <memory>

class KWinScript;
class XWaylandNames;
class KWinReportReceiver;

/// Windows as our script inside KWin reports them: focus, titles and every
/// window's frame and stacking, for native and XWayland windows alike.
/// Without a report from the KWin on the bus now, it knows nothing.
class KWinWindows : public WaylandWindowSource
{
    Q_OBJECT

public:
    /// Registers the report object and loads the script; `source` is the
    /// script's text. `xNames`, when given, names XWayland windows.
    KWinWindows(QDBusConnection bus, const QString &source, qint32 ownPid,
        std::unique_ptr<XWaylandNames> xNames = nullptr);
    ~KWinWindows() override;

    Support support() const override;
    std::optional<WaylandWindow> focused() override;
    QList<WaylandWindow> windows() override;
    std::optional<WaylandScene> scene(const QSet<QString> &hiddenIDs) override;

    /// The part of a workspace picture to keep: the active output, in the
    /// picture's pixels; null to keep it whole.
    QRect activeOutputIn(const QImage &workspace) const;

    /// The script's text as shipped with this build.
    static QString shippedScript();

private:
    static constexpr int firstReportMs = 1000;

    void waitForReport();
    void received(const QByteArray &json);
    void nameXWaylandWindows(KWinWindowReport &report);
    void kwinChanged();

    QDBusConnection m_bus;
    std::unique_ptr<KWinScript> m_script;
    std::unique_ptr<KWinReportReceiver> m_receiver;
    std::unique_ptr<XWaylandNames> m_xNames;
    std::optional<KWinWindowReport> m_report;
    qint32 m_ownPid;
    QString m_problem;
};
