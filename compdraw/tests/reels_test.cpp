#include "compdraw/reels.h"

#include <gtest/gtest.h>

#include "platform/testing/test_helpers.h"

using namespace compdraw;

using testing_support::u8;

namespace {


struct Rig {
    ReelLabels labels;
    std::vector<double> script;
    size_t at = 0;
    ReelRun run{labels, [this] { return at < script.size() ? script[at++] : 0.3; },
                [](int r) { return QStringLiteral("r%1").arg(r); }};
};

struct Trace {
    int slowDownSweeps[3] = {0, 0, 0};
    int passesPerReel[3] = {0, 0, 0};
};

// Runs the draw to its end, checking on every pass that stopped reels stand
// still and reels to the right keep their start speed.
Trace landOn(Rig& rig, const QString& winner, std::array<int16_t, 3> startSpeed)
{
    rig.run.stop(winner);
    Trace t;
    while (!rig.run.done()) {
        const int r = rig.run.reel();
        const auto phase = rig.run.phase();
        const auto before = rig.labels.top;
        rig.run.pass();
        ++t.passesPerReel[r];
        if (phase == ReelRun::Phase::SlowDown)
            ++t.slowDownSweeps[r];
        for (int k = 0; k < 6; ++k) {
            const int moved = rig.labels.top[k] - before[k];
            if (k / 2 < r) {
                EXPECT_EQ(moved, 0) << "label " << k << " while reel " << r << " stops";
            } else if (k / 2 > r) {
                EXPECT_TRUE(moved == startSpeed[k / 2] || moved == startSpeed[k / 2] - 400)
                    << "label " << k << " moved " << moved;
            }
        }
    }
    return t;
}

void expectLandedOn(const Rig& rig, const std::array<QString, 3>& chars)
{
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(rig.labels.top[2 * r], 70) << "reel " << r;
        EXPECT_EQ(rig.labels.top[2 * r + 1], -130) << "reel " << r;
        EXPECT_EQ(rig.labels.caption[2 * r], chars[r]) << "reel " << r;
        EXPECT_EQ(rig.labels.reelSpeed[r], 1);
    }
}

}  // namespace

TEST(ReelRun, StartSpeedsSlowDownAndLanding)
{
    Rig rig;
    rig.script = {0.0, 10.0 / 22.0, 0.999};
    rig.run.start();
    ASSERT_EQ(rig.labels.reelSpeed, (std::array<int16_t, 3>{10, 20, 32}));
    EXPECT_TRUE(rig.run.pumpsEvents());
    for (int i = 0; i < 57; ++i)
        rig.run.pass();
    // The free spin moves all six labels and keeps each reel's pair 200 apart.
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ((rig.labels.top[2 * r] - rig.labels.top[2 * r + 1] + 800) % 400, 200);

    const Trace t = landOn(rig, u8("己庚辛壬"), {10, 20, 32});
    EXPECT_EQ(t.slowDownSweeps[0], 100);
    EXPECT_EQ(t.slowDownSweeps[1], 200);
    EXPECT_EQ(t.slowDownSweeps[2], 320);
    for (int r = 0; r < 3; ++r)  // slow-down, 201..801 slow passes, landing within 600
        EXPECT_LE(t.passesPerReel[r], t.slowDownSweeps[r] + 801 + 600);
    expectLandedOn(rig, {u8("己"), u8("庚"), u8("壬")});

    // The next draw starts from the landed reels; a 2-character name leaves reel 1 empty.
    rig.script = {0.5, 0.5, 0.5};
    rig.at = 0;
    rig.run.start();
    ASSERT_EQ(rig.labels.reelSpeed, (std::array<int16_t, 3>{21, 21, 21}));
    const Trace t2 = landOn(rig, u8("丁戊"), {21, 21, 21});
    EXPECT_EQ(t2.slowDownSweeps[2], 210);
    expectLandedOn(rig, {u8("丁"), QString(), u8("戊")});
}

TEST(ReelRun, StopRightAfterStartStillLands)
{
    Rig rig;
    rig.run.start();
    landOn(rig, u8("甲乙+M"), rig.labels.reelSpeed);
    expectLandedOn(rig, {u8("甲"), u8("乙"), u8("M")});
}
