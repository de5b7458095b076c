#pragma once

#include "Solitask/ui/LabelButtonStyle.h"

/// A text-only button in the link colour, dimmed while pressed.
class SecondaryButtonStyle : public LabelButtonStyle
{
    Q_OBJECT

public:
    static void apply(QAbstractButton *button);

    static qreal textOpacity(bool pressed) { return pressed ? 0.6 : 1.0; }

protected:
    void paintButton(QPainter &painter, const QRectF &rect, const QString &text, bool enabled,
        bool pressed) const override;

private:
    SecondaryButtonStyle();
};
