#include "Solitask/gate/GateLooks.h"

#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QLabel>

namespace GateLooks {

QLabel *header(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("header"));
    TextStyle::ui(label, 11, Palette::lilac(), QFont::Medium, 2.4);
    return label;
}

QLabel *title(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("title"));
    TextStyle::ui(label, 38, Palette::ink(), QFont::Medium, -0.4);
    return label;
}

QFont titleFont(qreal size)
{
    return TextStyle::font(size, QFont::Medium, -0.4);
}

PlainButton::Look untilChoice(bool selected)
{
    if (selected)
        return {TextStyle::font(13), Palette::lilacText(), Palette::lilacTint(), Palette::lilac(),
            14, 6};
    return {TextStyle::font(13), Palette::ink2(), Qt::transparent, Palette::hairline(), 14, 6};
}

PlainButton::Look ghost()
{
    return {TextStyle::font(13), Palette::ink2(), Qt::transparent, Palette::hairline(), 14, 7};
}

PlainButton::Look exitLink()
{
    return {TextStyle::font(12), Palette::ink2()};
}

} // namespace GateLooks
