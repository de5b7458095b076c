#pragma once

#include <QColor>
#include <QWidget>

class GateView;

/// What lies behind the gate view: in the full-screen form a pale, opaque
/// material standing in for the translucent blur that X11 without a compositor
/// cannot give; in the compact form the light window background.
class GateBackdrop : public QWidget
{
    Q_OBJECT

public:
    GateBackdrop(GateView *view, bool fullScreen, QWidget *parent = nullptr);

    GateView *view() const { return m_view; }
    static QColor material(bool fullScreen);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GateView *m_view;
    QColor m_material;
};
