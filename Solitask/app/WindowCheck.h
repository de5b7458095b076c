#pragma once

#include <QJsonObject>

/// The diagnostic report of --window-check: the application's state and one
/// entry per top-level window.
namespace WindowCheck {

QJsonObject report();

} // namespace WindowCheck
