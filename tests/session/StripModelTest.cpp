#include "Solitask/session/StripModel.h"

#include <gtest/gtest.h>

TEST(StripModel, StartsEmptyOnTheNothingFace)
{
    StripModel model;
    EXPECT_EQ(model.state().face, StripFace::nothing);
    EXPECT_EQ(model.state().dot, DotState::clear);
    EXPECT_FALSE(model.state().alignedPct.has_value());
    EXPECT_TRUE(model.state().hourDots.isEmpty());
}

TEST(StripModel, NotifiesOnlyRealChanges)
{
    StripModel model;
    int changes = 0;
    QObject::connect(&model, &StripModel::changed, [&] { ++changes; });
    model.set(&StripState::dot, DotState::amber);
    model.set(&StripState::dot, DotState::amber);
    model.set(&StripState::nudge, QStringLiteral("Back to the pricing page."));
    model.set(&StripState::nudge, std::nullopt);
    model.set(&StripState::hourDots,
        QList<HourDot> {{QStringLiteral("a"), QStringLiteral("10:00"), DotState::sage, false}});
    model.set(&StripState::hourDots,
        QList<HourDot> {{QStringLiteral("a"), QStringLiteral("10:00"), DotState::sage, false}});
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(model.state().dot, DotState::amber);
}

TEST(StripModel, RawNamesOfFacesAndDots)
{
    EXPECT_EQ(rawValue(StripFace::offDuty), QStringLiteral("offDuty"));
    EXPECT_EQ(rawValue(DotState::gray), QStringLiteral("gray"));
}
