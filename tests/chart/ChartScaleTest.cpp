#include "chart/ChartScale.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(ChartScaleTest, RoundAxisCoversTheRangeInRoundSteps) {
    struct Case {
        double lowest, highest;
        int maxSteps;
        double low, high, step;
    };
    for (const Case& c : std::vector<Case>{
             {0.0, 1500.0, 6, 0.0, 1500.0, 500.0},
             {-51.39, 1600.0, 6, -500.0, 2000.0, 500.0},
             {-450.0, 0.0, 5, -500.0, 0.0, 100.0},
             {0.0, 0.07, 5, 0.0, 0.08, 0.02},
             {10.0, 20.0, 4, 0.0, 20.0, 5.0}, // zero is always on the axis
             {-7.0, -3.0, 4, -8.0, 0.0, 2.0},
             {0.0, 0.0, 5, 0.0, 1.0, 1.0},                                     // nothing to show
             {0.0, std::numeric_limits<double>::infinity(), 5, 0.0, 1.0, 1.0}, // as nothing
             {0.0, 7.0, 0, 0.0, 10.0, 10.0},                                   // at least one step
         }) {
        SCOPED_TRACE(std::to_string(c.lowest) + " " + std::to_string(c.highest));
        const ValueAxis a = RoundAxis(c.lowest, c.highest, c.maxSteps);
        EXPECT_DOUBLE_EQ(a.low, c.low);
        EXPECT_DOUBLE_EQ(a.high, c.high);
        EXPECT_DOUBLE_EQ(a.step, c.step);
    }
}

TEST(ChartScaleTest, TicksAndTheirTexts) {
    const ValueAxis a = RoundAxis(-0.3, 0.5, 8);
    EXPECT_DOUBLE_EQ(a.step, 0.1);
    std::vector<std::string> texts;
    for (double t : a.ticks())
        texts.push_back(TickText(t, a.step));
    EXPECT_EQ(texts, (std::vector<std::string>{"-0.3", "-0.2", "-0.1", "0.0", "0.1", "0.2", "0.3",
                                               "0.4", "0.5"}));
    EXPECT_EQ(TickText(2000.0, 500.0), "2000");
    EXPECT_EQ(TickText(-1500.0, 500.0), "-1500");
    EXPECT_EQ(TickText(0.25, 0.05), "0.25");
}

TEST(ChartScaleTest, LabelsThinOutOnRoundCalendarPlaces) {
    struct Case {
        Period period;
        double periodWidth, labelWidth;
        int stride;
    };
    for (const Case& c : std::vector<Case>{
             {Period::Month, 60.0, 50.0, 1},
             {Period::Month, 20.0, 50.0, 3},
             {Period::Month, 5.0, 50.0, 12},
             {Period::Month, 2.0, 50.0, 60},
             {Period::Month, 0.1, 50.0, 120}, // the widest step when nothing fits
             {Period::Quarter, 20.0, 50.0, 4},
             {Period::Year, 20.0, 50.0, 5},
             {Period::Year, 50.0, 50.0, 1},
         }) {
        EXPECT_EQ(LabelStride(c.period, c.periodWidth, c.labelWidth), c.stride)
            << static_cast<int>(c.period) << " " << c.periodWidth;
    }
    // Labels on Januaries, first quarters and round years; the year alone from a year apart.
    EXPECT_TRUE(HasLabel(Period::Month, {2002, 1}, 12));
    EXPECT_FALSE(HasLabel(Period::Month, {2002, 2}, 12));
    EXPECT_TRUE(HasLabel(Period::Month, {2002, 7}, 6));
    EXPECT_TRUE(HasLabel(Period::Month, {2002, 4}, 3));
    EXPECT_FALSE(HasLabel(Period::Month, {2002, 5}, 3));
    EXPECT_TRUE(HasLabel(Period::Month, {2005, 1}, 60));
    EXPECT_FALSE(HasLabel(Period::Month, {2002, 1}, 60));
    EXPECT_TRUE(HasLabel(Period::Quarter, {2002, 3}, 2));
    EXPECT_FALSE(HasLabel(Period::Quarter, {2002, 2}, 2));
    EXPECT_TRUE(HasLabel(Period::Year, {2010, 0}, 10));
    EXPECT_FALSE(HasLabel(Period::Year, {2011, 0}, 2));
    EXPECT_EQ(AxisLabel(Period::Month, {2002, 3}, 2), "2002-03");
    EXPECT_EQ(AxisLabel(Period::Month, {2002, 1}, 12), "2002");
    EXPECT_EQ(AxisLabel(Period::Quarter, {2002, 1}, 2), "2002-Q1");
    EXPECT_EQ(AxisLabel(Period::Quarter, {2002, 1}, 4), "2002");
    EXPECT_EQ(AxisLabel(Period::Year, {2002, 0}, 1), "2002");
}

} // namespace
