#pragma once

#include "Solitask/ui/LabelButtonStyle.h"

/// The main action: white medium text on a lilac rounded tile with a lilac
/// shadow; a disabled button keeps its white text on a 45 % tile without shadow.
class PrimaryButtonStyle : public LabelButtonStyle
{
    Q_OBJECT

public:
    /// Gives `button` the primary look (one shared style object).
    static void apply(QAbstractButton *button);

    /// Fill opacity for a button in this state.
    static qreal fillOpacity(bool enabled, bool pressed);

protected:
    void paintButton(QPainter &painter, const QRectF &rect, const QString &text, bool enabled,
        bool pressed) const override;

private:
    PrimaryButtonStyle();
};
