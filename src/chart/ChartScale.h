#pragma once
// The arithmetic of the income and expense chart, without a window: the value axis in round
// steps and which period labels fit under the bars.

#include "money/PeriodSums.h"

#include <string>
#include <vector>

// A value axis from `low` to `high` in steps of `step`: both ends are multiples of the step and
// the step is 1, 2 or 5 times a power of ten.
struct ValueAxis {
    double low = 0.0;
    double high = 1.0;
    double step = 1.0;
    std::vector<double> ticks() const; // low, low + step, ..., high
};

// The axis over [min(lowest, 0), max(highest, 0)] with at most `maxSteps` steps (at least 1).
// An all-zero or damaged range gives 0..1.
ValueAxis RoundAxis(double lowest, double highest, int maxSteps);

// A tick's text: "%.*f" with as many decimals as the step needs (none for a step of 1 or more),
// "." as the decimal point, no grouping.
std::string TickText(double value, double step);

// Every how many periods a label stands, from steps that keep the labels on round calendar
// places (months: 1, 2, 3, 6, 12, 24, 60, 120; quarters: 1, 2, 4, 8, 20, 40; years: 1, 2, 5,
// 10, 20, 50): the smallest whose labels do not overlap, given the width of one period and the
// widest label in the same unit.
int LabelStride(Period period, double periodWidth, double labelWidth);
// Whether period `p` gets a label at `stride`: at periods whose number counted from year 0 is a
// multiple of the stride, so that they fall on Januaries, first quarters and round years.
bool HasLabel(Period period, const PeriodSum& p, int stride);
// The label: the period's key ("2002-03", "2002-Q1", "2002"), or the year alone once the
// labels stand a year or more apart.
std::string AxisLabel(Period period, const PeriodSum& p, int stride);
