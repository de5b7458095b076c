#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QHBoxLayout;
class QPushButton;

/// The pieces every onboarding step is built from.
namespace StepParts {

/// The small lilac step label ("1 OF 3") over the step's title.
QWidget *header(const QString &step, const QString &title);
/// Body text in the secondary ink, wrapping.
QWidget *body(const QString &text, qreal size = 13);
/// A numbered line: the number on a small badge, then the text.
QWidget *numberedLine(int n, const QString &text);
/// A row: "Back" when `back` is given, flexible space, then the forward buttons.
QWidget *buttons(std::function<void()> back, const QList<QPushButton *> &forward);
QPushButton *primary(const QString &title, std::function<void()> action);
QPushButton *secondary(const QString &title, std::function<void()> action);

} // namespace StepParts
