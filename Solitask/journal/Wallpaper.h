#pragma once

#include <QWidget>

/// The light windows' backdrop: the palette's wallpaper gradient over the whole widget.
class Wallpaper : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *event) override;
};
