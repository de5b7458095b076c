#include "Solitask/ui/FilledBar.h"
#include "Solitask/ui/PrimaryButtonStyle.h"
#include "Solitask/ui/SegmentedPill.h"
#include "Solitask/ui/WindowCard.h"

#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

SegmentedPill *pill(QVariant selection)
{
    return new SegmentedPill({{1, "Day"}, {2, "Week"}, {3, "Month"}}, std::move(selection));
}

// A parent that paints its own background, as the windows' wallpapers do.
class GreenBackdrop : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), Qt::green); }
};

QColor pixel(QWidget &w, QPoint at)
{
    return w.grab().toImage().pixelColor(at);
}

} // namespace

TEST(SegmentedPill, ClickingASegmentSelectsItsValueOnce)
{
    std::unique_ptr<SegmentedPill> p(pill(1));
    QSignalSpy spy(p.get(), &SegmentedPill::selectionChanged);
    QTest::mouseClick(p.get(), Qt::LeftButton, {}, p->segmentRect(2).center().toPoint());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 3);
    EXPECT_TRUE(p->isSelected(2));
    QTest::mouseClick(p.get(), Qt::LeftButton, {}, p->segmentRect(2).center().toPoint());
    EXPECT_EQ(spy.count(), 1);
    std::unique_ptr<SegmentedPill> unknown(pill(42));
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(unknown->isSelected(i)) << "an unknown selection selects nothing";
}

TEST(PrimaryButtonStyle, DisabledKeepsAWhiteLabelOnAPaleLilacTile)
{
    QWidget host;
    host.setAutoFillBackground(true);
    host.setPalette(QPalette(Qt::white));
    auto *button = new QPushButton("MMMMMMMM", &host);
    PrimaryButtonStyle::apply(button);
    button->setEnabled(false);
    host.resize(200, 80);
    button->move(20, 10);
    button->resize(button->sizeHint());
    const QColor fill = pixel(host, {24, 26});
    // 45 % of lilacDeep over white.
    EXPECT_NEAR(fill.red(), 255 - 0.45 * (255 - 123), 3);
    EXPECT_NEAR(fill.blue(), 255 - 0.45 * (255 - 214), 3);
    // No shadow below the tile.
    EXPECT_EQ(pixel(host, {60, 10 + 32 + 4}), QColor(Qt::white));
}

TEST(WindowCard, FilledBarAtTheTopLeavesTheRoundedCornersToTheBackground)
{
    GreenBackdrop back;
    auto *layout = new QVBoxLayout(&back);
    layout->setContentsMargins(20, 20, 20, 20);
    auto *content = new QWidget;
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new FilledBar(Qt::red, 48));
    column->addStretch(1);
    layout->addWidget(new WindowCard(12, Qt::white, content));
    back.setAttribute(Qt::WA_DontShowOnScreen);
    back.resize(200, 160);
    back.show();
    QApplication::processEvents();
    const QImage image = back.grab().toImage();
    // Outside the rounding only the background (and a trace of shadow) shows.
    EXPECT_GT(image.pixelColor(21, 21).green(), 240) << "corner left unpainted";
    EXPECT_EQ(image.pixelColor(100, 40), QColor(Qt::red));
}
