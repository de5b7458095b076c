#include "Solitask/gate/GateExits.h"

#include "Solitask/gate/GateLooks.h"
#include "Solitask/gate/PlainButton.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
QLabel *quiet(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    TextStyle::ui(label, 12, Palette::ink3());
    return label;
}
} // namespace

GateExits::GateExits(QWidget *parent)
    : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    auto *row = new QHBoxLayout;
    row->setSpacing(14);
    row->addWidget(quiet(QStringLiteral("Off duty for"), this));
    row->addWidget(makeLink(QStringLiteral("30 min"), 30, QStringLiteral("30m")));
    row->addWidget(quiet(QStringLiteral("·"), this));
    row->addWidget(makeLink(QStringLiteral("2 h"), 120, QStringLiteral("2h")));
    row->addWidget(quiet(QStringLiteral("·"), this));
    row->addWidget(
        makeLink(QStringLiteral("rest of today"), std::nullopt, QStringLiteral("restOfDay")));
    column->addLayout(row);
    column->addWidget(makeLink(QStringLiteral("Someone else is using this computer"), -1,
                          QStringLiteral("someoneElse")),
        0, Qt::AlignHCenter);
}

QWidget *GateExits::makeLink(const QString &text, std::optional<int> minutes, const QString &reason)
{
    auto *link = new PlainButton(text, GateLooks::exitLink(), this);
    link->setObjectName(QStringLiteral("exit"));
    connect(link, &PlainButton::clicked, this,
        [this, minutes, reason] { Q_EMIT offDuty(minutes, reason); });
    return link;
}
