#include "chart/ChartScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

int periodsPerYear(Period period) {
    return period == Period::Month ? 12 : period == Period::Quarter ? 4 : 1;
}

const std::vector<int>& strides(Period period) {
    static const std::vector<int> months{1, 2, 3, 6, 12, 24, 60, 120};
    static const std::vector<int> quarters{1, 2, 4, 8, 20, 40};
    static const std::vector<int> years{1, 2, 5, 10, 20, 50};
    return period == Period::Month ? months : period == Period::Quarter ? quarters : years;
}

} // namespace

std::vector<double> ValueAxis::ticks() const {
    std::vector<double> out;
    const long long n = std::llround((high - low) / step);
    for (long long i = 0; i <= n; ++i)
        out.push_back(low + static_cast<double>(i) * step);
    return out;
}

ValueAxis RoundAxis(double lowest, double highest, int maxSteps) {
    ValueAxis a;
    maxSteps = std::max(1, maxSteps);
    lowest = std::isfinite(lowest) ? std::min(lowest, 0.0) : 0.0;
    highest = std::isfinite(highest) ? std::max(highest, 0.0) : 0.0;
    const double span = highest - lowest;
    if (!(span > 0.0) || !std::isfinite(span))
        return a;
    // The smallest 1-2-5 step that covers the span in at most maxSteps steps, once both ends
    // are rounded out to it.
    double magnitude = std::pow(10.0, std::floor(std::log10(span / maxSteps)));
    for (int guard = 0; guard < 8; ++guard, magnitude *= 10.0) {
        for (const double m : {1.0, 2.0, 5.0}) {
            const double step = m * magnitude;
            const double low = std::floor(lowest / step) * step;
            const double high = std::ceil(highest / step) * step;
            if ((high - low) / step <= maxSteps + 1e-9) {
                a.step = step;
                a.low = low == 0.0 ? 0.0 : low; // no "-0"
                a.high = high;
                return a;
            }
        }
    }
    a.low = lowest;
    a.high = highest;
    a.step = span;
    return a;
}

std::string TickText(double value, double step) {
    int decimals = 0;
    if (step > 0.0 && step < 1.0)
        decimals = std::min(6, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
    if (std::fabs(value) < step * 1e-6)
        value = 0.0; // a sum of steps that misses zero by a rounding error
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

int LabelStride(Period period, double periodWidth, double labelWidth) {
    const std::vector<int>& s = strides(period);
    for (const int stride : s)
        if (stride * periodWidth >= labelWidth)
            return stride;
    return s.back();
}

bool HasLabel(Period period, const PeriodSum& p, int stride) {
    const int per = periodsPerYear(period);
    const int number = p.year * per + (period == Period::Year ? 0 : p.part - 1);
    return stride <= 1 || number % stride == 0;
}

std::string AxisLabel(Period period, const PeriodSum& p, int stride) {
    if (period != Period::Year && stride >= periodsPerYear(period))
        return std::to_string(p.year);
    return PeriodKey(period, p);
}
