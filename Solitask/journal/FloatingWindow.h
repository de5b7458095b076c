#pragma once

#include <QSize>
#include <QString>

#include <functional>

class QAbstractScrollArea;
class QWidget;

/// The way the light windows (journal, settings, onboarding) are made and brought forward.
namespace FloatingWindow {

/// A top-level window of fixed `size`, titled, on the lilac background,
/// centred on the primary screen. Closing it only hides it.
QWidget *make(const QString &title, const QSize &size);

/// Shows `window` in front, above the gate while the gate is showing.
void bringForward(QWidget *window, bool aboveGate);

/// A slim, arrowless scroll bar in the hairline colour for `area`.
void slimScrollBars(QAbstractScrollArea *area);

/// Runs `action` on the application's thread: at once when already there.
void onMainThread(std::function<void()> action);

} // namespace FloatingWindow
