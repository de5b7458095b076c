#pragma once

#include <QLabel>

/// A key combination on a small lilac cap: "⌃⌥O".
class KeyCap : public QLabel
{
    Q_OBJECT

public:
    explicit KeyCap(const QString &keys, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
