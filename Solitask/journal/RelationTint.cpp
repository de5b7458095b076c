#include "Solitask/journal/RelationTint.h"

#include "Solitask/ui/Palette.h"

RelationTint RelationTint::of(std::optional<Relation> relation)
{
    const QColor neutralChip = Palette::withOpacity(Palette::wash(), 0.06);
    if (!relation)
        return {Palette::tileNeutral(), neutralChip, Palette::ink2(), QStringLiteral("unjudged")};
    switch (*relation) {
    case Relation::on:
        return {QColor(216, 238, 228), Palette::mintTint(), Palette::mintText(), QStringLiteral("on")};
    case Relation::adjacent:
        return {QColor(201, 221, 243), Palette::skyTint(), Palette::skyText(),
                QStringLiteral("adjacent")};
    case Relation::off:
        return {QColor(249, 228, 210), Palette::apricotTint(), Palette::apricotText(),
                QStringLiteral("off")};
    case Relation::skipped:
        break;
    }
    return {Palette::tileNeutral(), neutralChip, Palette::ink2(), QStringLiteral("skipped")};
}
