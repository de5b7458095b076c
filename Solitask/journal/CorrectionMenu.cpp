#include "Solitask/journal/CorrectionMenu.h"

#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QMenu>

CorrectionMenu::CorrectionMenu(std::optional<Correction> current, Choose choose, QWidget *parent)
    : QToolButton(parent)
{
    setText(QStringLiteral("Not right?"));
    TextStyle::ui(this, 12, Palette::ink2());
    setAutoRaise(true);
    setFixedHeight(24);
    setCursor(Qt::PointingHandCursor);
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; }"
                                 "QToolButton::menu-indicator { image: none; width: 0; }"));
    auto *menu = new QMenu(this);
    for (Correction correction : allCases<Correction>()) {
        menu->addAction(label(correction), this, [choose, correction] { choose(correction); });
    }
    menu->addSeparator();
    QAction *clear = menu->addAction(QStringLiteral("Clear correction"), this,
                                     [choose] { choose(std::nullopt); });
    clear->setEnabled(current.has_value());
    setMenu(menu);
}
