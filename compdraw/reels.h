// The three reels of the prize draw as plain state: the tops and captions of
// the six labels and the reel speeds, with the run of one draw as a state
// machine advanced one pass at a time. The window pumps events and paces the
// passes; tests call pass() without waiting.
#pragma once

#include "compdraw/entrant_list.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

namespace compdraw {

constexpr int kBandTop = 70;     // top of the visible band
constexpr int kBandBottom = 270; // bottom of the visible band

struct ReelLabels {
    // Label k belongs to reel k / 2; its left edge never changes.
    std::array<int, 6> top{270, 70, 70, 270, 70, 270};
    std::array<QString, 6> caption{QStringLiteral("在"), QStringLiteral("？"), QStringLiteral("？"),
                                   QStringLiteral("在"), QStringLiteral("？"), QStringLiteral("在")};
    std::array<int16_t, 3> reelSpeed{0, 0, 0};
};

class ReelRun {
public:
    enum class Phase { FreeSpin, SlowDown, SlowSpin, Landing, Done };

    // randomChar(r) gives a random character of reel r (by the index rule).
    ReelRun(ReelLabels& labels, Uniform uniform, std::function<QString(int reel)> randomChar);

    // Draws the three start speeds (10 + 22u rounded half to even) and enters
    // the free spin.
    void start();
    // Ends the free spin: the reels now stop one after the other on the
    // winner's characters.
    void stop(const QString& winner);

    // Whether pending window events run before the next pass (every phase but
    // the slow-down).
    bool pumpsEvents() const { return phase_ != Phase::SlowDown; }
    // One pass: one sweep over the moving labels, then the phase bookkeeping.
    void pass();

    Phase phase() const { return phase_; }
    int reel() const { return reel_; }  // the reel that is stopping
    bool done() const { return phase_ == Phase::Done; }
    const std::array<QString, 3>& winChars() const { return winChars_; }

private:
    void step(int k, bool landingLabel);
    void sweep();
    void beginSlowDown();
    void beginSlowSpin();

    ReelLabels& labels_;
    Uniform uniform_;
    std::function<QString(int)> randomChar_;
    Phase phase_ = Phase::Done;
    int reel_ = 0;
    int passesLeft_ = 0;   // slow-down and slow-spin passes still to run
    int slowDownI_ = 0;    // i of the slow-down, 1 to 10 s
    bool landed_ = false;
    std::array<QString, 3> winChars_;
};

}  // namespace compdraw
