#include "Solitask/journal/FloatingWindow.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QScrollBar>
#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>
#include <QThread>
#include <QWidget>

namespace FloatingWindow {

QWidget *make(const QString &title, const QSize &size)
{
    // Designed at one size: no maximise, no resizing that would clip the content.
    auto *window = new QWidget(nullptr,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::WindowMinimizeButtonHint);
    window->setWindowTitle(title);
    window->setFixedSize(size);
    window->setAutoFillBackground(true);
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, QColor(228, 214, 244));
    window->setPalette(pal);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    return window;
}

void bringForward(QWidget *window, bool aboveGate)
{
    const bool onTop = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (onTop != aboveGate)
        window->setWindowFlag(Qt::WindowStaysOnTopHint, aboveGate);
    window->show();
    window->raise();
    window->activateWindow();
}

void slimScrollBars(QAbstractScrollArea *area)
{
    area->verticalScrollBar()->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { width: 8px; background: transparent; margin: 4px 2px 4px 0; }"
        "QScrollBar::handle:vertical { background: rgba(60, 50, 95, 40); border-radius: 3px;"
        " min-height: 28px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
}

void onMainThread(std::function<void()> action)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        action();
        return;
    }
    QMetaObject::invokeMethod(app, std::move(action), Qt::QueuedConnection);
}

} // namespace FloatingWindow
