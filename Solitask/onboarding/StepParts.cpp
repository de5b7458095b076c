#include "Solitask/onboarding/StepParts.h"

#include "Solitask/journal/TextLabel.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/PrimaryButtonStyle.h"
#include "Solitask/ui/SecondaryButtonStyle.h"
#include "Solitask/ui/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace StepParts {
namespace {

class Badge : public QLabel
{
public:
    explicit Badge(int n)
        : QLabel(QString::number(n))
    {
        TextStyle::ui(this, 10, Palette::lilacText(), QFont::Medium);
        setAlignment(Qt::AlignCenter);
        setFixedSize(18, 18);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        {
            QPainter p(this);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(Palette::lilacTint());
            p.drawEllipse(QRectF(rect()));
        }
        QLabel::paintEvent(event);
    }
};

QPushButton *button(const QString &title, std::function<void()> action)
{
    auto *b = new QPushButton(title);
    QObject::connect(b, &QPushButton::clicked, b, [action = std::move(action)] {
        if (action)
            action();
    });
    return b;
}

} // namespace

QWidget *header(const QString &step, const QString &title)
{
    auto *box = new QWidget;
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    auto *label = textLabel(step, 11, Palette::lilac(), QFont::Medium);
    label->setFont(TextStyle::font(11, QFont::Medium, 2));
    column->addWidget(label);
    auto *heading = textLabel(title, 22, Palette::ink(), QFont::Medium);
    heading->setWordWrap(true);
    column->addWidget(heading);
    return box;
}

QWidget *body(const QString &text, qreal size)
{
    auto *label = textLabel(text, size, Palette::ink2());
    label->setWordWrap(true);
    return label;
}

QWidget *numberedLine(int n, const QString &text)
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(new Badge(n), 0, Qt::AlignTop);
    auto *line = textLabel(text, 13, Palette::ink());
    line->setWordWrap(true);
    row->addWidget(line, 1);
    return box;
}

QWidget *buttons(std::function<void()> back, const QList<QPushButton *> &forward)
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(14);
    if (back)
        row->addWidget(secondary(QStringLiteral("Back"), std::move(back)));
    row->addStretch();
    for (QPushButton *b : forward)
        row->addWidget(b);
    return box;
}

QPushButton *primary(const QString &title, std::function<void()> action)
{
    QPushButton *b = button(title, std::move(action));
    PrimaryButtonStyle::apply(b);
    return b;
}

QPushButton *secondary(const QString &title, std::function<void()> action)
{
    QPushButton *b = button(title, std::move(action));
    SecondaryButtonStyle::apply(b);
    return b;
}

} // namespace StepParts
