#pragma once

#include <QWidget>

class NotchView;
class QPropertyAnimation;

/// The borderless window that carries the notch view. It is left alone by the
/// window manager, so it stays above full-screen windows (the gate included),
/// never takes keyboard focus and, while closed, lets clicks through.
class StripWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int animationMs = 220;

    explicit StripWindow(NotchView *view);

    NotchView &view() const { return *m_view; }
    /// The view's size, brought up to date with the model first.
    QSizeF contentSize() const;

    /// Moves and sizes the window, gliding there when `animated`.
    void moveTo(const QRect &frame, bool animated);
    bool animating() const;
    /// Accepts clicks only while open.
    void setClickThrough(bool through);
    bool clickThrough() const;
    void orderFront();
    void orderOut();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    NotchView *m_view;
    QPropertyAnimation *m_animation;
};
