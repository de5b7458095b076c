#include "Solitask/strip/NotchTodaySection.h"

#include "Solitask/session/StripState.h"
#include "Solitask/strip/NotchMark.h"
#include "Solitask/strip/NotchParts.h"
#include "Solitask/strip/NotchTile.h"
#include "Solitask/ui/ElidedLabel.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace NotchTodaySection {

namespace {

const QString dash = QStringLiteral("\u2014");

QWidget *tiles(const StripState &s)
{
    using P = Palette::Notch;
    auto *holder = new QWidget;
    auto *line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    const QList<NotchTile *> all = {
        new NotchTile(QString::number(s.dayThings.size()),
            s.dayThings.size() == 1 ? QStringLiteral("thing") : QStringLiteral("things"),
            P::lilacTint(), P::lilacText()),
        new NotchTile(QString::number(s.judgedHours),
            s.judgedHours == 1 ? QStringLiteral("judged hour") : QStringLiteral("judged hours"),
            P::skyTint(), P::skyText()),
        new NotchTile(
            alignedText(s.alignedPct), QStringLiteral("aligned"), P::mintTint(), P::mintText()),
        new NotchTile(threadsText(s.threadsPerHour), QStringLiteral("threads / h"),
            P::apricotTint(), P::apricotText()),
    };
    for (NotchTile *tile : all) {
        tile->setObjectName(QStringLiteral("tile:") + tile->label());
        line->addWidget(tile, 1);
    }
    return holder;
}

QWidget *dayRow(const DayThingRow &r)
{
    const auto kind = r.open ? NotchMark::Kind::openThing : NotchMark::Kind::hour;
    auto *holder = new QWidget;
    holder->setObjectName(QStringLiteral("dayRow"));
    auto *line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    line->addWidget(new NotchMark(kind, r.state, 7), 0, Qt::AlignVCenter);
    auto *text = new ElidedLabel(r.text, TextStyle::font(12), Palette::Notch::ink2());
    text->setObjectName(QStringLiteral("dayRowText"));
    line->addWidget(text, 1);
    line->addWidget(NotchParts::label(r.span, 11, Palette::Notch::ink3()));
    return holder;
}

QWidget *dayRows(const QList<DayThingRow> &rows)
{
    auto *holder = new QWidget;
    auto *column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(5);
    for (qsizetype i = std::max<qsizetype>(0, rows.size() - shownRows); i < rows.size(); ++i)
        column->addWidget(dayRow(rows[i]));
    return holder;
}

} // namespace

QString alignedText(std::optional<int> pct)
{
    return pct ? QString::number(*pct) + QLatin1Char('%') : dash;
}

QString threadsText(std::optional<double> perHour)
{
    return perHour ? QString::asprintf("%.1f", *perHour) : dash;
}

QWidget *build(const StripState &s, int width)
{
    auto *holder = new QWidget;
    holder->setObjectName(QStringLiteral("today"));
    holder->setFixedWidth(width);
    auto *column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(
        NotchParts::label(QStringLiteral("TODAY SO FAR"), 10, Palette::Notch::lilac(),
                          QFont::DemiBold, 1.6));
    column->addWidget(tiles(s));
    if (!s.dayThings.isEmpty())
        column->addWidget(dayRows(s.dayThings));
    return holder;
}

} // namespace NotchTodaySection
