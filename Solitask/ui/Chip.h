#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

/// A small label on a tinted capsule.
class Chip : public QWidget
{
    Q_OBJECT

public:
    Chip(const QString &text, const QColor &tint, const QColor &ink, QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
    const QColor &tint() const { return m_tint; }
    const QColor &ink() const { return m_ink; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_tint;
    QColor m_ink;
};
