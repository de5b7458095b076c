#include "Solitask/session/StripModel.h"

#include <gtest/gtest.h>

TEST(StripModel, NotifiesOnlyRealChanges)
{
    StripModel model;
    int changes = 0;
    QObject::connect(&model, &StripModel::changed, [&] { ++changes; });
    model.set(&StripState::dot, DotState::amber);
    model.set(&StripState::dot, DotState::amber);
    model.set(&StripState::nudge, "Back to the pricing page.");
    model.set(&StripState::nudge, std::nullopt);
    model.set(&StripState::hourDots, QList<HourDot> {{"a", "10:00", DotState::sage, false}});
    model.set(&StripState::hourDots, QList<HourDot> {{"a", "10:00", DotState::sage, false}});
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(model.state().dot, DotState::amber);
}
