#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QLabel;

/// One headline number of the week on a tinted tile.
class StatTile : public QWidget
{
    Q_OBJECT

public:
    StatTile(const QString &label, const QString &value, const QString &sub, const QColor &tint,
             QWidget *parent = nullptr);

    QString value() const;
    QString sub() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitValue();

    QColor m_tint;
    QLabel *m_value;
    QLabel *m_sub;
};
