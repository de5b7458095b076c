#pragma once

#include <QColor>
#include <QWidget>

class QLabel;

/// One figure of the day: a large value over a small label on a tinted card.
class NotchTile : public QWidget
{
    Q_OBJECT

public:
    NotchTile(const QString &value, const QString &label, const QColor &tint,
              const QColor &labelColor, QWidget *parent = nullptr);

    QString value() const;
    QString label() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_value;
    QLabel *m_label;
    QColor m_tint;
};
