#pragma once

#include "Solitask/gate/UntilChoice.h"
#include "SolitaskCore/Calendar.h"

#include <QList>
#include <QWidget>

class Clock;
class GateModel;
class PlainButton;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;

/// "What's the solitask?": the text field, its rule and hint, and the until
/// choices. Return declares when the trimmed text has two characters or more.
class GateQuestionFace : public QWidget
{
    Q_OBJECT

public:
    GateQuestionFace(
        GateModel *model, const Clock &clock, Calendar calendar, QWidget *parent = nullptr);

    QLineEdit *field() const { return m_field; }
    /// Offers the until choices that fit the present moment.
    void refreshChoices();
    void applyForm(bool compact);

Q_SIGNALS:
    void declared(const QString &text, const Until &until);

private:
    QWidget *makeFieldColumn();
    void syncField(const QString &text);
    void submit();
    void choose(UntilChoice choice);
    void paintChoices();

    GateModel *m_model;
    const Clock &m_clock;
    Calendar m_calendar;
    QVBoxLayout *m_column;
    QLabel *m_title;
    QLineEdit *m_field;
    QHBoxLayout *m_choiceRow;
    QList<QPair<UntilChoice, PlainButton *>> m_choices;
};
