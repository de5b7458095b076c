#pragma once

#include "Solitask/gate/PlainButton.h"

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

/// The gate's recurring type and button looks.
namespace GateLooks {

/// "SOLITASK", "BACK AFTER …": small spaced capitals in lilac.
QLabel *header(const QString &text, QWidget *parent);
/// A large title in ink; its size is set by the form.
QLabel *title(const QString &text, QWidget *parent);
QFont titleFont(qreal size);

PlainButton::Look untilChoice(bool selected);
/// Outlined capsule for the resume face's secondary answers.
PlainButton::Look ghost();
/// Plain text link of the exits.
PlainButton::Look exitLink();

} // namespace GateLooks
