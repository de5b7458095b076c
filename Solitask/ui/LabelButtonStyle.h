#pragma once

#include <QFont>
#include <QProxyStyle>

class QAbstractButton;

/// A push-button look drawn entirely by the style: a label over an optional
/// shape, a fixed height and horizontal padding. Subclasses say how it looks.
class LabelButtonStyle : public QProxyStyle
{
    Q_OBJECT

public:
    struct Look
    {
        QFont font;
        qreal padX = 0;
        qreal height = 0;
    };

    explicit LabelButtonStyle(Look look);

    const Look &look() const { return m_look; }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
        const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
        const QWidget *widget = nullptr) const override;

protected:
    /// Draws the button in `rect`: `enabled` and `pressed` as the person sees them.
    virtual void paintButton(QPainter &painter, const QRectF &rect, const QString &text,
        bool enabled, bool pressed) const = 0;
    /// Gives `button` the look: style, font, pointer.
    void adopt(QAbstractButton *button);

private:
    Look m_look;
};
