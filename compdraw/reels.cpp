#include "compdraw/reels.h"

#include "platform/numbers.h"

#include <cmath>

namespace compdraw {

namespace {

constexpr int kLandingPasses = 3001;

}  // namespace

ReelRun::ReelRun(ReelLabels& labels, Uniform uniform, std::function<QString(int)> randomChar)
    : labels_(labels), uniform_(std::move(uniform)), randomChar_(std::move(randomChar))
{
}

void ReelRun::start()
{
    for (int r = 0; r < 3; ++r)
        labels_.reelSpeed[r] = platform::toInt16(10 + 22 * uniform_());
    phase_ = Phase::FreeSpin;
    reel_ = 0;
}

void ReelRun::stop(const QString& winner)
{
    if (phase_ != Phase::FreeSpin)
        return;
    winChars_ = reelCharsOf(winner);
    reel_ = 0;
    beginSlowDown();
}

void ReelRun::step(int k, bool landingLabel)
{
    labels_.top[k] += labels_.reelSpeed[k / 2];
    if (labels_.top[k] >= kBandBottom) {
        labels_.top[k] = labels_.top[k] - 130 - 270;
        if (landingLabel) {
            labels_.caption[k] = winChars_[k / 2];
            landed_ = true;
        } else {
            labels_.caption[k] = randomChar_(k / 2);
        }
    }
}

void ReelRun::sweep()
{
    // Reels left of the stopping one stand still.
    const int first = phase_ == Phase::FreeSpin ? 0 : 2 * reel_;
    for (int k = first; k < 6; ++k)
        step(k, phase_ == Phase::Landing && k == 2 * reel_);
}

void ReelRun::beginSlowDown()
{
    phase_ = Phase::SlowDown;
    slowDownI_ = 0;
    passesLeft_ = 10 * labels_.reelSpeed[reel_];
    if (passesLeft_ <= 0)
        beginSlowSpin();
}

void ReelRun::beginSlowSpin()
{
    phase_ = Phase::SlowSpin;
    labels_.reelSpeed[reel_] = 1;
    passesLeft_ = 200 + 200 * int(std::floor(4 * uniform_())) + 1;
}

void ReelRun::pass()
{
    switch (phase_) {
    case Phase::FreeSpin:
        sweep();
        break;
    case Phase::SlowDown:
        ++slowDownI_;
        if (slowDownI_ % 10 == 0)
            --labels_.reelSpeed[reel_];
        sweep();
        if (--passesLeft_ == 0)
            beginSlowSpin();
        break;
    case Phase::SlowSpin:
        sweep();
        if (--passesLeft_ == 0) {
            phase_ = Phase::Landing;
            landed_ = false;
            passesLeft_ = kLandingPasses;
        }
        break;
    case Phase::Landing:
        sweep();
        --passesLeft_;
        if ((landed_ && labels_.top[2 * reel_] == kBandTop) || passesLeft_ == 0) {
            if (++reel_ == 3)
                phase_ = Phase::Done;
            else
                beginSlowDown();
        }
        break;
    case Phase::Done:
        break;
    }
}

}  // namespace compdraw
