#include "Solitask/platform/kde/KWinWindows.h"

#include "Solitask/platform/kde/KWinReportReceiver.h"
#include "Solitask/platform/kde/KWinScript.h"
#include "Solitask/platform/kde/XWaylandNames.h"
#include "SolitaskCore/Diag.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>

namespace {

bool sameWindow(const std::optional<WaylandWindow> &a, const std::optional<WaylandWindow> &b)
{
    if (!a || !b)
        return a.has_value() == b.has_value();
    return a->app.pid == b->app.pid && a->app.bundleID == b->app.bundleID && a->title == b->title;
}

} // namespace

KWinWindows::KWinWindows(QDBusConnection bus, const QString &source, qint32 ownPid,
    std::unique_ptr<XWaylandNames> xNames)
    : m_bus(std::move(bus))
    , m_script(std::make_unique<KWinScript>(m_bus, source))
    , m_xNames(std::move(xNames))
    , m_ownPid(ownPid)
{
    m_receiver = std::make_unique<KWinReportReceiver>(
        [this] { return m_script->kwin(); }, [this](const QByteArray &json) { received(json); });
    connect(m_script.get(), &KWinScript::kwinChanged, this, &KWinWindows::kwinChanged);
    if (!m_bus.registerObject(QLatin1String(KWinReportReceiver::path), m_receiver.get(),
            QDBusConnection::ExportScriptableSlots)) {
        m_problem = QStringLiteral("cannot offer the window report object on the session bus");
        return;
    }
    if (!m_script->load()) {
        m_problem = m_script->error();
        Diag::log(QStringLiteral("kwin: ") + m_problem);
        return;
    }
    waitForReport();
}

// KWin sends the script's first report before it answers `start`: it is
// already on its way, and a frame asked for right away (--peek) needs it.
void KWinWindows::waitForReport()
{
    const QDeadlineTimer deadline(firstReportMs);
    while (!m_report && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    if (!m_report)
        Diag::log(QStringLiteral("kwin: the window script has not reported yet"));
}

KWinWindows::~KWinWindows()
{
    m_bus.unregisterObject(QLatin1String(KWinReportReceiver::path));
}

QString KWinWindows::shippedScript()
{
    QFile file(QStringLiteral(":/solitask/kwin/windows.js"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

Support KWinWindows::support() const
{
    if (m_report)
        return Support::yes();
    if (!m_problem.isEmpty())
        return Support::no(QStringLiteral("no window facts from KWin: ") + m_problem);
    return Support::no(
        QStringLiteral("no window facts from KWin yet: its script has not reported"));
}

void KWinWindows::received(const QByteArray &json)
{
    auto report = KWinWindowReport::parse(json);
    if (!report) {
        Diag::log(QStringLiteral("kwin: a window report that cannot be read"));
        return;
    }
    nameXWaylandWindows(*report);
    const auto before = focused();
    m_report = std::move(report);
    if (!sameWindow(before, focused()))
        Q_EMIT focusChanged();
}

void KWinWindows::nameXWaylandWindows(KWinWindowReport &report)
{
    if (!m_xNames)
        return;
    QSet<unsigned long> alive;
    for (KWinWindow &w : report.stack) {
        if (w.x11Window == 0)
            continue;
        alive.insert(w.x11Window);
        if (auto app = m_xNames->name(w.x11Window))
            w.window.app = {app->name, app->bundleID, w.window.app.pid};
    }
    m_xNames->keepOnly(alive);
}

// A report from a KWin that has gone tells nothing about the one that runs now.
void KWinWindows::kwinChanged()
{
    m_report.reset();
    m_problem = m_script->kwin().isEmpty() ? m_script->error() : QString();
}

std::optional<WaylandWindow> KWinWindows::focused()
{
    return m_report ? m_report->focused() : std::nullopt;
}

QList<WaylandWindow> KWinWindows::windows()
{
    return m_report ? m_report->appWindows() : QList<WaylandWindow>();
}

// Layout coordinates and the picture's pixels differ by the outputs' scale.
QRect KWinWindows::activeOutputIn(const QImage &workspace) const
{
    if (!m_report || m_report->area.isEmpty() || m_report->screen.isEmpty()
        || m_report->screen == m_report->area)
        return {};
    const qreal scale = qreal(workspace.width()) / m_report->area.width();
    const QRect screen = m_report->screen.translated(-m_report->area.topLeft());
    return QRectF(
        screen.x() * scale, screen.y() * scale, screen.width() * scale, screen.height() * scale)
        .toAlignedRect()
        .intersected(workspace.rect());
}

std::optional<WaylandScene> KWinWindows::scene(const QSet<QString> &hiddenIDs)
{
    if (!m_report)
        return std::nullopt;
    return m_report->scene(hiddenIDs, m_ownPid);
}
