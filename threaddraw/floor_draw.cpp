#include "threaddraw/floor_draw.h"

#include "threaddraw/draw.h"

#include <QHash>
#include <QList>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace threaddraw {

namespace {

// The generator gives k / 2^24 for k below 2^24.
constexpr uint32_t kSteps = 1u << 24;

// Draws done as the plain redrawing does before the rest is drawn directly;
// either way every number comes with the same chance.
constexpr int kPlainRedraws = 32;

// Tries of the unbiased pick below a bound; each fails with a chance below
// one half, so the last resort (a bias of at most one step) never comes
// with a fair generator.
constexpr int kPickTries = 64;

uint32_t stepOf(float r)
{
    if (!(r > 0))
        return 0;
    return std::min<uint32_t>(uint32_t(double(r) * kSteps), kSteps - 1);
}

// The numbers of a range over the generator's steps. With finite bounds
// the number grows (or for hi below lo falls) with the step, so the steps
// of one number lie together. Without them only step 0 and all the others
// can differ (0 times an infinity is no number).
class RangeSteps {
public:
    RangeSteps(double lo, double hi) : lo_(lo), hi_(hi), width_(hi - lo + 1.0)
    {
        finite_ = std::isfinite(lo) && std::isfinite(hi) && std::isfinite(width_);
        sign_ = width_ < 0 ? -1.0 : 1.0;
    }
    bool finite() const { return finite_; }
    double at(uint32_t k) const { return drawNumber(lo_, hi_, float(k) / 16777216.0f); }
    // The steps [first, end) that give n, for finite bounds: searched from
    // where the formula puts n, so that few steps are looked at.
    std::pair<uint32_t, uint32_t> stepsOf(double n) const
    {
        const double near1 = (n - lo_) / width_ * kSteps;
        const double near2 = (n + 1.0 - lo_) / width_ * kSteps;
        return {firstWhere([&](double v) { return sign_ * v >= sign_ * n; }, std::min(near1, near2)),
                firstWhere([&](double v) { return sign_ * v > sign_ * n; }, std::max(near1, near2))};
    }

private:
    // The first step (up to kSteps) whose number has reached the mark; the
    // numbers are in order, so a search outwards from a guess finds it.
    template <typename Reached>
    uint32_t firstWhere(Reached reached, double guess) const
    {
        const auto done = [&](uint32_t k) { return k >= kSteps || reached(at(k)); };
        const uint32_t start = guess > 0 ? uint32_t(std::min(guess, double(kSteps))) : 0;
        uint32_t low = start, high = start;  // done(high), not done(low) once set up
        uint32_t step = 1;
        if (done(start)) {
            for (;;) {
                if (high == 0)
                    return 0;
                low = high > step ? high - step : 0;
                if (!done(low))
                    break;
                high = low;
                step *= 2;
            }
        } else {
            for (;;) {
                high = low + std::min(step, kSteps - low);
                if (done(high))
                    break;
                low = high;
                step *= 2;
            }
        }
        while (high - low > 1) {
            const uint32_t mid = low + (high - low) / 2;
            (done(mid) ? high : low) = mid;
        }
        return high;
    }

    double lo_, hi_;
    double width_ = 1.0;
    bool finite_ = true;
    double sign_ = 1.0;
};

// The number a drawn number's text stands for, when numberText writes that
// number so; else none. Plain floors are read at once.
std::optional<double> drawnNumberOf(const QString& text)
{
    const qsizetype from = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    const qsizetype digits = text.size() - from;
    if (digits >= 1 && digits <= 15) {
        qint64 v = 0;
        qsizetype i = from;
        for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
            v = v * 10 + (text[i].unicode() - '0');
        if (i == text.size()) {
            if ((digits > 1 && text[from] == QLatin1Char('0')) || (from && v == 0))
                return std::nullopt;  // a leading zero, "-0"
            return from ? -double(v) : double(v);
        }
    }
    bool ok = false;
    const double n = text.toDouble(&ok);
    if (!ok || std::isnan(n) || numberText(n) != text)
        return std::nullopt;
    return n;
}

// A whole number below bound, each as likely, from the generator's steps.
uint32_t pickBelow(uint32_t bound, const std::function<float()>& rnd)
{
    const uint32_t limit = kSteps - kSteps % bound;
    uint32_t k = 0;
    for (int i = 0; i < kPickTries; ++i) {
        k = stepOf(rnd());
        if (k < limit)
            break;
    }
    return k % bound;
}

}  // namespace

Exclusions::Exclusions(const QString& fixedIds, const QString& ids) : all_(fixedIds + ids)
{
    between_.reserve(all_.count(QLatin1Char('|')));
    qsizetype bar = all_.indexOf(QLatin1Char('|'));
    while (bar >= 0) {
        const qsizetype next = all_.indexOf(QLatin1Char('|'), bar + 1);
        if (next < 0)
            break;
        between_.insert(all_.mid(bar + 1, next - bar - 1));
        bar = next;
    }
}

bool Exclusions::contains(const QString& id) const
{
    // An ID without "|" stands between two neighbouring bars or nowhere.
    if (!id.contains(QLatin1Char('|')))
        return between_.contains(id);
    return all_.contains(QLatin1Char('|') + id + QLatin1Char('|'));
}

DrawResult drawFloor(const FloorTable& table, double lo, double hi, const Exclusions& excluded,
                     const std::function<float()>& rnd)
{
    // The first slot of every floor text, and whether its author is excluded.
    const int filled = table.filledCount();
    QHash<QString, int> firstSlot;
    firstSlot.reserve(filled);
    QHash<QString, bool> authorExcluded;
    authorExcluded.reserve(filled);
    QList<QString> excludedFloors;
    for (int i = 0; i < filled; ++i) {
        const Cuber& c = table.slot(i);
        if (firstSlot.contains(c.floor))
            continue;
        firstSlot.insert(c.floor, i);
        auto known = authorExcluded.constFind(c.id);
        if (known == authorExcluded.constEnd())
            known = authorExcluded.insert(c.id, excluded.contains(c.id));
        if (*known)
            excludedFloors << c.floor;
    }

    const auto resultOf = [&](double n, bool* redraw) {
        DrawResult r;
        r.n = n;
        const auto slot = firstSlot.constFind(numberText(n));
        *redraw = false;
        if (slot == firstSlot.constEnd()) {
            r.kind = DrawResult::Kind::NotFound;
        } else if (authorExcluded.value(table.slot(*slot).id)) {
            *redraw = true;
        } else {
            r.kind = DrawResult::Kind::Winner;
            r.slot = *slot;
        }
        return r;
    };

    // The steps that land on an excluded floor, as ranges in step order.
    const RangeSteps steps(lo, hi);
    std::vector<std::pair<uint32_t, uint32_t>> barred;
    if (steps.finite()) {
        for (const QString& floor : excludedFloors) {
            const std::optional<double> n = drawnNumberOf(floor);
            if (!n)
                continue;  // no drawn number is written this way
            const auto range = steps.stepsOf(*n);
            if (range.first < range.second)
                barred.push_back(range);
        }
    } else {
        const QSet<QString> floors(excludedFloors.cbegin(), excludedFloors.cend());
        if (floors.contains(numberText(steps.at(0))))
            barred.push_back({0, 1});
        if (floors.contains(numberText(steps.at(1))))
            barred.push_back({1, kSteps});
    }
    uint32_t barredSteps = 0;
    for (const auto& range : barred)
        barredSteps += range.second - range.first;
    if (barredSteps >= kSteps)
        return {};  // nothing to draw

    bool redraw = false;
    for (int i = 0; i < kPlainRedraws; ++i) {
        const DrawResult r = resultOf(drawNumber(lo, hi, rnd()), &redraw);
        if (!redraw)
            return r;
    }
    // One of the steps left, each as likely: the same chances as redrawing
    // until one comes.
    std::sort(barred.begin(), barred.end());
    uint32_t k = pickBelow(kSteps - barredSteps, rnd);
    for (const auto& range : barred) {
        if (k < range.first)
            break;
        k += range.second - range.first;
    }
    return resultOf(steps.at(k), &redraw);
}

}  // namespace threaddraw
