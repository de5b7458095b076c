#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QList>
#include <QRectF>

/// The colour tokens every surface shares: a pale lilac light theme for the
/// windows and, nested, the dark theme of the strip. Each token is built once,
/// on first use.
class Palette
{
public:
    struct ChipTint
    {
        QColor tint;
        QColor ink;
    };

    static const QColor &ink();
    static const QColor &ink2();
    static const QColor &ink3();
    static const QColor &hairline();
    static const QColor &lilac();
    static const QColor &lilacDeep();
    static const QColor &lilacText();
    static const QColor &lilacTint();
    static const QColor &mint();
    static const QColor &mintText();
    static const QColor &mintTint();
    static const QColor &apricot();
    static const QColor &apricotText();
    static const QColor &apricotTint();
    static const QColor &skyTint();
    static const QColor &skyText();
    static const QColor &gray();
    static const QColor &wash();
    static const QColor &panel();
    static const QColor &tileNeutral();

    /// Pale blue, lilac, rose, apricot from the top-left to the bottom-right corner of `rect`.
    static QLinearGradient wallpaper(const QRectF &rect);
    static const QList<ChipTint> &chipTints();
    /// The chip colours for any index, taken modulo four.
    static const ChipTint &chipTint(int index);

    /// `color` with its alpha multiplied by `opacity`.
    static QColor withOpacity(const QColor &color, qreal opacity);

    /// The dark theme of the strip.
    class Notch
    {
    public:
        static const QColor &bg();
        static const QColor &ink();
        static const QColor &ink2();
        static const QColor &ink3();
        static const QColor &hairline();
        static const QColor &lilac();
        static const QColor &lilacText();
        static const QColor &lilacTint();
        static const QColor &mint();
        static const QColor &mintText();
        static const QColor &mintTint();
        static const QColor &apricot();
        static const QColor &apricotText();
        static const QColor &apricotTint();
        static const QColor &skyText();
        static const QColor &skyTint();
        static const QColor &gray();
    };
};
