#pragma once

#include "SolitaskCore/Enums.h"

#include <QToolButton>

#include <functional>
#include <optional>

/// "Not right?": one item per correction, a divider and "Clear correction",
/// which is enabled only while the hour carries a correction.
class CorrectionMenu : public QToolButton
{
    Q_OBJECT

public:
    using Choose = std::function<void(std::optional<Correction>)>;

    CorrectionMenu(std::optional<Correction> current, Choose choose, QWidget *parent = nullptr);
};
