#include "Solitask/app/WindowCheck.h"

#include <QApplication>
#include <QJsonArray>
#include <QScreen>
#include <QWidget>

namespace WindowCheck {

namespace {

QString rectText(const QRect &r)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}").arg(r.x()).arg(r.y()).arg(r.width()).arg(
        r.height());
}

QString sizeText(const QSize &s)
{
    return QStringLiteral("{%1, %2}").arg(s.width()).arg(s.height());
}

/// Window levels as the design counts them: normal 0, floating 3, status bar 25.
int level(const QWidget &w)
{
    const Qt::WindowFlags flags = w.windowFlags();
    if (flags.testFlag(Qt::X11BypassWindowManagerHint))
        return 25;
    return flags.testFlag(Qt::WindowStaysOnTopHint) ? 3 : 0;
}

QJsonObject entry(const QWidget &w)
{
    const QScreen *screen = w.screen();
    return {
        {QStringLiteral("title"), w.windowTitle()},
        {QStringLiteral("class"), QString::fromLatin1(w.metaObject()->className())},
        {QStringLiteral("visible"), w.isVisible()},
        {QStringLiteral("onActiveSpace"), w.isVisible()},
        {QStringLiteral("frame"), rectText(w.frameGeometry())},
        {QStringLiteral("alpha"), w.windowOpacity()},
        {QStringLiteral("level"), level(w)},
        {QStringLiteral("screen"), screen ? screen->name() : QStringLiteral("none")},
        {QStringLiteral("occlusion"), w.isVisible() && !w.isMinimized() ? 2 : 0},
        {QStringLiteral("contentSize"), sizeText(w.size())},
    };
}

} // namespace

QJsonObject report()
{
    QJsonArray windows;
    for (const QWidget *w : QApplication::topLevelWidgets()) {
        // Menus, tool tips and hidden helpers are not windows of the application.
        if (w->isWindow() && !w->inherits("QMenu") && w->windowType() != Qt::ToolTip
            && (w->isVisible() || !w->windowTitle().isEmpty()))
            windows.append(entry(*w));
    }
    return {
        {QStringLiteral("policy"), QStringLiteral("accessory")},
        {QStringLiteral("isActive"), QGuiApplication::applicationState() == Qt::ApplicationActive},
        {QStringLiteral("presentationOptions"), 0},
        {QStringLiteral("windowCount"), windows.size()},
        {QStringLiteral("windows"), windows},
    };
}

} // namespace WindowCheck
