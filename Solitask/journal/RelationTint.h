#pragma once

#include "SolitaskCore/Enums.h"

#include <QColor>
#include <QString>

#include <optional>

/// How a frame's relation to the solitask is coloured: its tile, its chip and
/// the chip's word.
struct RelationTint
{
    QColor tile;
    QColor chipFill;
    QColor chipInk;
    QString word;

    /// None means the judge said nothing about the frame ("unjudged").
    static RelationTint of(std::optional<Relation> relation);
};
