#include "Solitask/ui/Palette.h"

namespace {

QColor rgba(int r, int g, int b, qreal opacity)
{
    QColor c(r, g, b);
    c.setAlphaF(float(opacity));
    return c;
}

} // namespace

const QColor &Palette::ink()
{
    static const QColor c = QColor(43, 40, 56);
    return c;
}

const QColor &Palette::ink2()
{
    static const QColor c = QColor(110, 105, 126);
    return c;
}

const QColor &Palette::ink3()
{
    static const QColor c = QColor(162, 157, 179);
    return c;
}

const QColor &Palette::hairline()
{
    static const QColor c = rgba(60, 50, 95, 0.12);
    return c;
}

const QColor &Palette::lilac()
{
    static const QColor c = QColor(139, 132, 219);
    return c;
}

const QColor &Palette::lilacDeep()
{
    static const QColor c = QColor(123, 115, 214);
    return c;
}

const QColor &Palette::lilacText()
{
    static const QColor c = QColor(95, 87, 168);
    return c;
}

const QColor &Palette::lilacTint()
{
    static const QColor c = QColor(238, 235, 251);
    return c;
}

const QColor &Palette::mint()
{
    static const QColor c = QColor(127, 200, 169);
    return c;
}

const QColor &Palette::mintText()
{
    static const QColor c = QColor(47, 122, 91);
    return c;
}

const QColor &Palette::mintTint()
{
    static const QColor c = QColor(223, 244, 234);
    return c;
}

const QColor &Palette::apricot()
{
    static const QColor c = QColor(241, 174, 114);
    return c;
}

const QColor &Palette::apricotText()
{
    static const QColor c = QColor(154, 95, 46);
    return c;
}

const QColor &Palette::apricotTint()
{
    static const QColor c = QColor(252, 235, 221);
    return c;
}

const QColor &Palette::skyTint()
{
    static const QColor c = QColor(220, 235, 250);
    return c;
}

const QColor &Palette::skyText()
{
    static const QColor c = QColor(79, 110, 154);
    return c;
}

const QColor &Palette::gray()
{
    static const QColor c = QColor(184, 178, 203);
    return c;
}

const QColor &Palette::wash()
{
    static const QColor c = QColor(60, 50, 95);
    return c;
}

const QColor &Palette::panel()
{
    static const QColor c = QColor(248, 246, 252);
    return c;
}

const QColor &Palette::tileNeutral()
{
    static const QColor c = QColor(220, 214, 238);
    return c;
}

QLinearGradient Palette::wallpaper(const QRectF &rect)
{
    QLinearGradient g(rect.topLeft(), rect.bottomRight());
    g.setColorAt(0.0, QColor(207, 220, 247));
    g.setColorAt(1.0 / 3.0, QColor(228, 214, 244));
    g.setColorAt(2.0 / 3.0, QColor(246, 217, 227));
    g.setColorAt(1.0, QColor(251, 232, 214));
    return g;
}

const QList<Palette::ChipTint> &Palette::chipTints()
{
    static const QList<ChipTint> tints {{lilacTint(), lilacText()}, {skyTint(), skyText()},
        {apricotTint(), apricotText()}, {mintTint(), mintText()}};
    return tints;
}

const Palette::ChipTint &Palette::chipTint(int index)
{
    const auto &tints = chipTints();
    const int n = int(tints.size());
    return tints[((index % n) + n) % n];
}

QColor Palette::withOpacity(const QColor &color, qreal opacity)
{
    QColor c = color;
    c.setAlphaF(float(color.alphaF() * opacity));
    return c;
}

const QColor &Palette::Notch::bg()
{
    static const QColor c = QColor(11, 10, 16);
    return c;
}

const QColor &Palette::Notch::ink()
{
    static const QColor c = QColor(236, 233, 245);
    return c;
}

const QColor &Palette::Notch::ink2()
{
    static const QColor c = QColor(185, 180, 201);
    return c;
}

const QColor &Palette::Notch::ink3()
{
    static const QColor c = QColor(126, 120, 148);
    return c;
}

const QColor &Palette::Notch::hairline()
{
    static const QColor c = rgba(255, 255, 255, 0.1);
    return c;
}

const QColor &Palette::Notch::lilac()
{
    static const QColor c = QColor(157, 150, 240);
    return c;
}

const QColor &Palette::Notch::lilacText()
{
    static const QColor c = QColor(201, 196, 250);
    return c;
}

const QColor &Palette::Notch::lilacTint()
{
    static const QColor c = QColor(42, 39, 64);
    return c;
}

const QColor &Palette::Notch::mint()
{
    static const QColor c = QColor(111, 207, 168);
    return c;
}

const QColor &Palette::Notch::mintText()
{
    static const QColor c = QColor(169, 230, 204);
    return c;
}

const QColor &Palette::Notch::mintTint()
{
    static const QColor c = QColor(30, 49, 41);
    return c;
}

const QColor &Palette::Notch::apricot()
{
    static const QColor c = QColor(242, 176, 107);
    return c;
}

const QColor &Palette::Notch::apricotText()
{
    static const QColor c = QColor(247, 207, 165);
    return c;
}

const QColor &Palette::Notch::apricotTint()
{
    static const QColor c = QColor(58, 44, 31);
    return c;
}

const QColor &Palette::Notch::skyText()
{
    static const QColor c = QColor(181, 208, 247);
    return c;
}

const QColor &Palette::Notch::skyTint()
{
    static const QColor c = QColor(31, 43, 59);
    return c;
}

const QColor &Palette::Notch::gray()
{
    static const QColor c = QColor(111, 105, 133);
    return c;
}
