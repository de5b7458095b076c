#include "Solitask/strip/StripWindow.h"

#include "Solitask/platform/Compositing.h"
#include "Solitask/platform/InputShape.h"
#include "Solitask/strip/NotchShape.h"
#include "Solitask/strip/NotchView.h"
#include "Solitask/ui/Stacking.h"

#include <QEasingCurve>
#include <QPropertyAnimation>
#include <QRegion>

namespace {

QEasingCurve glide()
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.16, 1.0), QPointF(0.3, 1.0), QPointF(1, 1));
    return curve;
}

} // namespace

StripWindow::StripWindow(NotchView *view)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                           | Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus
                           | Qt::NoDropShadowWindowHint | Qt::WindowTransparentForInput)
    , m_view(view)
    , m_animation(new QPropertyAnimation(this, "geometry", this))
{
    setObjectName(QStringLiteral("SolitaskStrip"));
    setWindowTitle(QStringLiteral("Solitask Strip"));
    Stacking::assign(this, Stacking::Layer::strip);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setFocusPolicy(Qt::NoFocus);
    m_view->setParent(this);
    m_view->move(0, 0);
    m_animation->setDuration(animationMs);
    m_animation->setEasingCurve(glide());
}

QSizeF StripWindow::contentSize() const
{
    m_view->sync();
    return m_view->sizeHint();
}

void StripWindow::moveTo(const QRect &frame, bool animated)
{
    m_animation->stop();
    if (!animated) {
        setGeometry(frame);
        return;
    }
    m_animation->setStartValue(geometry());
    m_animation->setEndValue(frame);
    m_animation->start();
}

bool StripWindow::animating() const
{
    return m_animation->state() == QAbstractAnimation::Running;
}

void StripWindow::setClickThrough(bool through)
{
    if (clickThrough() == through)
        return;
    // Changing window flags recreates the native window and hides it; the
    // panel only changes this right before showing or after hiding.
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowTransparentForInput, through);
    if (wasVisible)
        show();
    if (!through)
        InputShape::followBounds(windowHandle());
}

bool StripWindow::clickThrough() const
{
    return windowFlags().testFlag(Qt::WindowTransparentForInput);
}

void StripWindow::orderFront()
{
    show();
    Stacking::settle();
}

void StripWindow::orderOut()
{
    m_animation->stop();
    hide();
}

// The window grows and shrinks with its content: input follows it. Without a
// compositor the transparent corners around the rounded shape would show
// black; a window mask cuts them away instead (aliased, but clean).
void StripWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!clickThrough())
        InputShape::followBounds(windowHandle());
    if (Compositing::active()) {
        clearMask();
        return;
    }
    const QPainterPath shape = NotchShape{NotchView::cornerRadius}.path(QRectF(rect()));
    setMask(QRegion(shape.toFillPolygon().toPolygon()));
}
