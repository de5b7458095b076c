#include "Solitask/ui/TextStyle.h"

#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

namespace TextStyle {

QString family()
{
    static const QString name = [] {
        const QString preferred = QStringLiteral("Inter");
        if (QFontDatabase::families().contains(preferred))
            return preferred;
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return name;
}

QFont font(qreal size, QFont::Weight weight, qreal tracking)
{
    QFont f(family());
    f.setPixelSize(qMax(1, qRound(size)));
    f.setWeight(weight);
    if (tracking != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void ui(QWidget *widget, qreal size, const QColor &color, QFont::Weight weight, qreal tracking)
{
    widget->setFont(font(size, weight, tracking));
    QPalette p = widget->palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, color);
    widget->setPalette(p);
}

} // namespace TextStyle
