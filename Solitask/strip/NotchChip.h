#pragma once

#include <QPushButton>

/// A strip button: an optional symbol and a label on a rounded rectangle,
/// lilac when tinted, outlined only otherwise. With a menu attached it is the
/// strip's pop-up menu button ("Switch →", "Off duty").
class NotchChip : public QPushButton
{
    Q_OBJECT

public:
    NotchChip(const QString &label, bool tinted, const QString &symbol = {},
              QWidget *parent = nullptr);

    bool tinted() const { return m_tinted; }
    const QString &symbol() const { return m_symbol; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal symbolWidth() const;

    bool m_tinted;
    QString m_symbol;
    QFont m_symbolFont;
};
