#include "Solitask/gate/GateView.h"
#include "Solitask/gate/CallIfSet.h"

#include "Solitask/gate/ContinueButton.h"
#include "Solitask/gate/GateExits.h"
#include "Solitask/gate/GateModel.h"
#include "Solitask/gate/GateQuestionFace.h"
#include "Solitask/gate/GateResumeFace.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

namespace {
constexpr int reminderInset = 14;
// Keeps a wrapped resume title off the window's edges.
constexpr int titleSideRoom = 24;
} // namespace

GateView::GateView(
    GateModel *model, const Clock &clock, Calendar calendar, Actions actions, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_actions(std::move(actions))
    , m_layout(new QVBoxLayout(this))
    , m_question(new GateQuestionFace(model, clock, std::move(calendar), this))
    , m_resume(new GateResumeFace(this))
    , m_exits(new GateExits(this))
    , m_reminder(new QLabel(QStringLiteral("hold esc 3 s to quit Solitask"), this))
{
    // A click on the wash or a chip must not take the keyboard from the field.
    setFocusPolicy(Qt::NoFocus);
    m_layout->setSpacing(0);
    m_layout->addStretch(1);
    m_layout->addWidget(m_question, 0, Qt::AlignHCenter);
    m_layout->addWidget(m_resume, 0, Qt::AlignHCenter);
    m_layout->addStretch(1);
    m_layout->addWidget(m_exits, 0, Qt::AlignHCenter);
    m_reminder->setObjectName(QStringLiteral("escReminder"));
    TextStyle::ui(m_reminder, 10, Palette::withOpacity(Palette::ink3(), 0.7));
    m_reminder->setAttribute(Qt::WA_TransparentForMouseEvents);
    wire();
    applyFace();
    applyForm();
}

void GateView::wire()
{
    connect(m_question, &GateQuestionFace::declared, this,
        [this](const QString &text, const Until &until) {
            callIfSet(m_actions.onDeclare, text, until);
        });
    connect(m_resume, &GateResumeFace::resumed, this, [this] { callIfSet(m_actions.onResume); });
    connect(m_resume, &GateResumeFace::done, this, [this] { callIfSet(m_actions.onDone); });
    connect(m_resume, &GateResumeFace::somethingNew, this,
        [this] { callIfSet(m_actions.onSomethingNew); });
    connect(m_exits, &GateExits::offDuty, this,
        [this](std::optional<int> minutes, const QString &reason) {
            callIfSet(m_actions.onOffDuty, minutes, reason);
        });
    connect(m_model, &GateModel::faceChanged, this, &GateView::applyFace);
    connect(m_model, &GateModel::compactChanged, this, &GateView::applyForm);
}

void GateView::applyFace()
{
    const bool resume = m_model->face().kind == GateFace::Kind::resume;
    if (resume)
        m_resume->setFace(m_model->face());
    else
        m_question->refreshChoices();
    m_question->setVisible(!resume);
    m_resume->setVisible(resume);
    requestFocus();
}

void GateView::applyForm()
{
    const bool compact = m_model->compact();
    m_layout->setContentsMargins(0, 0, 0, compact ? 22 : 56);
    m_question->applyForm(compact);
    m_resume->applyForm(compact);
    update();
}

qreal GateView::washOpacity() const
{
    return m_model->compact() ? 0.35 : 0.55;
}

// Focus moves on the next turn of the event loop, once the face is laid out
// and its window can take the keyboard, so nobody has to click the field.
void GateView::requestFocus()
{
    QMetaObject::invokeMethod(this, &GateView::takeFocus, Qt::QueuedConnection);
}

void GateView::takeFocus()
{
    if (m_model->face().kind == GateFace::Kind::resume)
        m_resume->continueButton()->setFocus(Qt::OtherFocusReason);
    else
        m_question->field()->setFocus(Qt::OtherFocusReason);
}

void GateView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setOpacity(washOpacity());
    p.fillRect(rect(), Palette::wallpaper(QRectF(rect())));
}

void GateView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_resume->setAvailableWidth(width() - 2 * titleSideRoom);
    placeReminder();
}

void GateView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_question->refreshChoices();
    placeReminder();
    requestFocus();
}

void GateView::placeReminder()
{
    m_reminder->adjustSize();
    m_reminder->move(width() - m_reminder->width() - reminderInset,
        height() - m_reminder->height() - reminderInset);
    m_reminder->raise();
}
