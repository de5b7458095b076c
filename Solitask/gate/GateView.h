#pragma once

#include "SolitaskCore/Calendar.h"
#include "SolitaskCore/Until.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class Clock;
class GateExits;
class GateModel;
class GateQuestionFace;
class GateResumeFace;
class QLabel;
class QVBoxLayout;

/// The gate as drawn: the face the model names over the wallpaper wash, the
/// exits below it and the Escape reminder in the corner. It keeps no state
/// beyond keyboard focus; each action calls exactly one closure.
class GateView : public QWidget
{
    Q_OBJECT

public:
    struct Actions
    {
        std::function<void(const QString &text, const Until &until)> onDeclare;
        std::function<void()> onResume;
        std::function<void()> onDone;
        std::function<void()> onSomethingNew;
        std::function<void(std::optional<int> minutes, const QString &reason)> onOffDuty;
    };

    GateView(GateModel *model, const Clock &clock, Calendar calendar, Actions actions,
        QWidget *parent = nullptr);

    GateModel *model() const { return m_model; }
    GateQuestionFace *questionFace() const { return m_question; }
    GateResumeFace *resumeFace() const { return m_resume; }

    /// Opacity of the wallpaper wash: lighter in the compact window.
    qreal washOpacity() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void wire();
    void applyFace();
    void applyForm();
    void requestFocus();
    void takeFocus();
    void placeReminder();

    GateModel *m_model;
    Actions m_actions;
    QVBoxLayout *m_layout;
    GateQuestionFace *m_question;
    GateResumeFace *m_resume;
    GateExits *m_exits;
    QLabel *m_reminder;
};
