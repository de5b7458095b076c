#include "Solitask/gate/GateController.h"
#include "Solitask/gate/CallIfSet.h"

#include "Solitask/gate/AskWindowDelegate.h"
#include "Solitask/gate/EscapeHold.h"
#include "Solitask/gate/GateBackdrop.h"
#include "Solitask/gate/GateMirror.h"
#include "Solitask/gate/GateModel.h"
#include "Solitask/gate/GateView.h"
#include "Solitask/gate/GateWindow.h"
#include "Solitask/platform/PresentationLock.h"
#include "Solitask/ui/Chrome.h"
#include "Solitask/ui/Stacking.h"
#include "SolitaskCore/Diag.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace {
// A window can be grabbed only once the server has mapped it.
constexpr int lockAttempts = 40;
constexpr double lockRetrySeconds = 0.05;
} // namespace

GateController::GateController(const Clock &clock, Scheduler &scheduler, PresentationLock &lock,
    Calendar calendar, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_scheduler(scheduler)
    , m_lock(lock)
    , m_calendar(std::move(calendar))
    , m_model(new GateModel(this))
    , m_lockRetry(scheduler)
{
    if (m_lock.mirrors())
        m_mirror = new GateMirror(scheduler, m_lock, this);
    observeApplication();
}

GateController::~GateController()
{
    hide();
}

GateFace GateController::face() const
{
    return m_model->face();
}

bool GateController::isEscapeHeld() const
{
    return m_keyMonitor && m_keyMonitor->isHeld();
}

void GateController::show(const GateFace &face, bool insist)
{
    m_model->setFace(face);
    if (face.kind == GateFace::Kind::question)
        m_model->setText(QString());
    m_insisting = insist;
    m_model->setCompact(!insist);
    if (m_isShowing) {
        bringForward();
        return;
    }
    m_isShowing = true;
    if (insist)
        rebuildWindows();
    else
        makeAskWindow();
    installKeyMonitor();
    bringForward();
    Diag::log(QStringLiteral("gate shown: %1 insist=%2")
                  .arg(face.kind == GateFace::Kind::resume ? "resume" : "question",
                      insist ? "true" : "false"));
}

void GateController::hide()
{
    if (!m_isShowing)
        return;
    m_isShowing = false;
    removeKeyMonitor();
    m_lockRetry.cancel();
    if (m_mirror)
        m_mirror->stop();
    m_lock.release();
    m_locked = false;
    dropWindows();
    dropAskWindow();
    Stacking::settle();
    Diag::log(QStringLiteral("gate hidden"));
}

void GateController::bringForward()
{
    if (!m_insisting) {
        if (m_askWindow) {
            m_askWindow->show();
            m_askWindow->raise();
            m_askWindow->activateWindow();
        }
        return;
    }
    for (GateWindow *window : m_windows)
        window->cover();
    if (m_windows.isEmpty())
        return;
    m_windows.first()->activateWindow();
    m_locked = false;
    engageLock(lockAttempts);
}

// The window manager ignores activation of a window it has not mapped yet,
// and the server refuses to grab for one; both are retried for a moment.
void GateController::engageLock(int attemptsLeft)
{
    if (!m_isShowing || !m_insisting || m_windows.isEmpty())
        return;
    GateWindow *key = m_windows.first();
    QWindow *window = key->windowHandle();
    // The window manager stacks the gate once it maps it: the strip goes under.
    Stacking::settle();
    if (!m_locked && window)
        m_locked = m_lock.engage(window);
    // The lock shows the windows above everything and hands them the keys.
    if (m_locked && m_mirror) {
        m_mirror->watch(m_windows);
        return;
    }
    const bool focused = window && QGuiApplication::focusWindow() == window;
    if (!focused)
        key->activateWindow();
    if (m_locked && focused)
        return;
    if (attemptsLeft <= 0) {
        if (!m_locked)
            Diag::log(QStringLiteral("gate: keyboard lock refused"));
        return;
    }
    QPointer<GateController> self(this);
    m_lockRetry.once(lockRetrySeconds, [self, attemptsLeft] {
        if (self)
            self->engageLock(attemptsLeft - 1);
    });
}

void GateController::rebuildWindows(QScreen *leaving)
{
    dropWindows();
    for (QScreen *screen : QGuiApplication::screens())
        if (screen != leaving)
            m_windows.append(new GateWindow(screen, makeContent(true), m_mirror != nullptr));
}

void GateController::dropWindows()
{
    for (GateWindow *window : std::as_const(m_windows)) {
        window->hide();
        window->deleteLater();
    }
    m_windows.clear();
}

void GateController::makeAskWindow()
{
    dropAskWindow();
    // Fixed size and no maximise button: the window manager offers no maximise.
    auto *window = new QWidget(nullptr,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::WindowStaysOnTopHint);
    window->setWindowTitle(QStringLiteral("Solitask"));
    window->setFixedSize(askWindowSize);
    Chrome::host(makeContent(false), window);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    if (!m_askDelegate) {
        QPointer<GateController> self(this);
        m_askDelegate = new AskWindowDelegate(
            [self] {
                if (self)
                    self->askWindowClosed();
            },
            this);
    }
    m_askDelegate->watch(window);
    m_askWindow = window;
}

void GateController::dropAskWindow()
{
    if (!m_askWindow)
        return;
    m_askWindow->removeEventFilter(m_askDelegate);
    m_askWindow->hide();
    m_askWindow->deleteLater();
    m_askWindow.clear();
}

void GateController::askWindowClosed()
{
    if (!m_isShowing)
        return;
    hide();
    callIfSet(m_callbacks.onAskWindowClosed);
}

QWidget *GateController::makeContent(bool fullScreen)
{
    return new GateBackdrop(makeView(), fullScreen);
}

GateView *GateController::makeView()
{
    QPointer<GateController> self(this);
    GateView::Actions actions;
    actions.onDeclare = [self](const QString &text, const Until &until) {
        if (self)
            callIfSet(self->m_callbacks.onDeclare, text, until);
    };
    actions.onResume = [self] {
        if (self)
            callIfSet(self->m_callbacks.onResume);
    };
    actions.onDone = [self] {
        if (self)
            callIfSet(self->m_callbacks.onDone);
    };
    actions.onSomethingNew = [self] {
        if (self)
            self->somethingNew();
    };
    actions.onOffDuty = [self](std::optional<int> minutes, const QString &reason) {
        if (self)
            callIfSet(self->m_callbacks.onOffDuty, minutes, reason);
    };
    return new GateView(m_model, m_clock, m_calendar, std::move(actions));
}

void GateController::somethingNew()
{
    m_model->setFace(GateFace::question());
    m_model->setText(QString());
    callIfSet(m_callbacks.onSomethingNew);
}

void GateController::installKeyMonitor()
{
    removeKeyMonitor();
    QPointer<GateController> self(this);
    EscapeHold::Handlers handlers;
    handlers.watches = [self](QObject *receiver) { return self && self->owns(receiver); };
    handlers.onBail = [self] {
        if (self)
            callIfSet(self->m_callbacks.onBail);
    };
    // The compact window is one the person may simply dismiss. Closing hides
    // the gate and drops this monitor, so it happens after the key event.
    handlers.onTap = [self] {
        if (!self)
            return;
        QMetaObject::invokeMethod(
            self,
            [self] {
                if (self && self->m_isShowing && !self->m_insisting && self->m_askWindow)
                    self->m_askWindow->close();
            },
            Qt::QueuedConnection);
    };
    m_keyMonitor = std::make_unique<EscapeHold>(m_scheduler, std::move(handlers));
}

bool GateController::owns(QObject *receiver) const
{
    // Key events reach the native window first, then the focused widget.
    const QWidget *widget = receiver->isWidgetType() ? static_cast<QWidget *>(receiver) : nullptr;
    auto isOf = [receiver, widget](const QWidget *window) {
        return window
            && (window->windowHandle() == receiver || (widget && widget->window() == window));
    };
    return isOf(m_askWindow) || std::any_of(m_windows.begin(), m_windows.end(), isOf);
}

void GateController::removeKeyMonitor()
{
    m_keyMonitor.reset();
}

void GateController::observeApplication()
{
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
        [this](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive && m_isShowing && m_insisting)
                engageLock(lockAttempts);
        });
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        watchScreen(screen);
        screensChanged(nullptr);
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this,
        [this](QScreen *screen) { screensChanged(screen); });
    for (QScreen *screen : QGuiApplication::screens())
        watchScreen(screen);
    // The keyboard must never stay grabbed past the process.
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, [this] { m_lock.release(); });
}

void GateController::watchScreen(QScreen *screen)
{
    connect(screen, &QScreen::geometryChanged, this, [this] { screensChanged(nullptr); });
}

void GateController::screensChanged(QScreen *leaving)
{
    if (!m_isShowing || !m_insisting)
        return;
    m_lock.release();
    rebuildWindows(leaving);
    bringForward();
}
