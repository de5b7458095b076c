#include "Solitask/gate/GateQuestionFace.h"

#include "Solitask/gate/GateLooks.h"
#include "Solitask/gate/GateModel.h"
#include "Solitask/gate/PlainButton.h"
#include "Solitask/session/Clock.h"
#include "Solitask/ui/Hairline.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int fieldWidth = 560;
constexpr int fieldHeight = 44;
} // namespace

GateQuestionFace::GateQuestionFace(
    GateModel *model, const Clock &clock, Calendar calendar, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_clock(clock)
    , m_calendar(std::move(calendar))
    , m_column(new QVBoxLayout(this))
    , m_title(GateLooks::title(QStringLiteral("What’s the solitask?"), this))
    , m_field(new QLineEdit(this))
    , m_choiceRow(new QHBoxLayout)
{
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->addWidget(GateLooks::header(QStringLiteral("SOLITASK"), this), 0, Qt::AlignHCenter);
    m_column->addWidget(m_title, 0, Qt::AlignHCenter);
    m_column->addWidget(makeFieldColumn(), 0, Qt::AlignHCenter);
    m_choiceRow->setSpacing(8);
    m_column->addLayout(m_choiceRow);
    m_choiceRow->setAlignment(Qt::AlignHCenter);

    connect(m_field, &QLineEdit::textEdited, m_model, &GateModel::setText);
    // A gate left open keeps its choices true to the clock as the person types.
    connect(m_field, &QLineEdit::textEdited, this, &GateQuestionFace::refreshChoices);
    connect(m_field, &QLineEdit::returnPressed, this, &GateQuestionFace::submit);
    connect(m_model, &GateModel::textChanged, this, &GateQuestionFace::syncField);
    connect(m_model, &GateModel::untilChanged, this, &GateQuestionFace::paintChoices);
    syncField(m_model->text());
    refreshChoices();
    applyForm(m_model->compact());
}

QWidget *GateQuestionFace::makeFieldColumn()
{
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    m_field->setObjectName(QStringLiteral("field"));
    m_field->setFrame(false);
    m_field->setFixedSize(fieldWidth, fieldHeight);
    m_field->setTextMargins(0, 0, 0, 0);
    m_field->setPlaceholderText(QStringLiteral("Finish the pricing page"));
    TextStyle::ui(m_field, 23, Palette::ink());
    QPalette p = m_field->palette();
    p.setColor(QPalette::Base, Qt::transparent);
    p.setColor(QPalette::PlaceholderText, Palette::ink3());
    p.setColor(QPalette::Highlight, Palette::lilacTint());
    p.setColor(QPalette::HighlightedText, Palette::ink());
    m_field->setPalette(p);
    column->addWidget(m_field, 0, Qt::AlignRight);
    auto *rule = new Hairline(Palette::withOpacity(Palette::lilac(), 0.75), 1.5, box);
    rule->setFixedWidth(fieldWidth);
    column->addWidget(rule, 0, Qt::AlignRight);
    auto *hint = new QLabel(QStringLiteral("↵ to begin"), box);
    hint->setObjectName(QStringLiteral("hint"));
    TextStyle::ui(hint, 12, Palette::ink3());
    column->addWidget(hint, 0, Qt::AlignRight);
    return box;
}

void GateQuestionFace::syncField(const QString &text)
{
    if (m_field->text() != text)
        m_field->setText(text);
}

void GateQuestionFace::submit()
{
    const auto text = GateModel::declaration(m_model->text());
    if (!text)
        return;
    // An end that has passed since it was chosen is dropped, not declared:
    // the person sees the choice go and answers again.
    const UntilChoice chosen = m_model->until();
    refreshChoices();
    if (m_model->until() != chosen)
        return;
    Q_EMIT declared(*text, UntilChoices::until(m_model->until(), m_clock.now(), m_calendar));
}

void GateQuestionFace::refreshChoices()
{
    const QList<UntilChoice> offered = UntilChoices::offered(m_clock.now(), m_calendar);
    if (!offered.contains(m_model->until()))
        m_model->setUntil(UntilChoice::untilDone);
    QList<UntilChoice> shown;
    for (const auto &entry : m_choices)
        shown.append(entry.first);
    if (shown == offered)
        return;
    // Later: the choice being clicked may be among them.
    for (const auto &entry : m_choices)
        entry.second->deleteLater();
    m_choices.clear();
    for (UntilChoice choice : offered) {
        auto *button = new PlainButton(UntilChoices::label(choice), {}, this);
        button->setObjectName(QStringLiteral("until"));
        connect(button, &PlainButton::clicked, this, [this, choice] { choose(choice); });
        m_choiceRow->addWidget(button);
        m_choices.append({choice, button});
    }
    paintChoices();
}

// A chip never keeps the keyboard: Return still declares and typing still
// lands in the field after a click.
void GateQuestionFace::choose(UntilChoice choice)
{
    m_model->setUntil(choice);
    refreshChoices();
    m_field->setFocus(Qt::OtherFocusReason);
}

void GateQuestionFace::paintChoices()
{
    for (const auto &[choice, button] : m_choices)
        button->setLook(GateLooks::untilChoice(choice == m_model->until()));
}

void GateQuestionFace::applyForm(bool compact)
{
    m_column->setSpacing(compact ? 18 : 28);
    m_title->setFont(GateLooks::titleFont(compact ? 30 : 38));
}
