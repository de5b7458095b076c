#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

/// One line of text that ends in "…" when it does not fit, so a very long
/// declaration never widens its window or runs into what stands beside it.
class ElidedLabel : public QWidget
{
    Q_OBJECT

public:
    ElidedLabel(
        const QString &text, const QFont &font, const QColor &color, QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
    /// The text as drawn at the current width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_color;
};
