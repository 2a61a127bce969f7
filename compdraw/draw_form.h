// The competition prize draw's window: three reels of two labels each in the
// band between the title strip and the bottom strip, the winners list and
// the buttons "开始" and "停止".
#pragma once

#include "compdraw/entrant_list.h"
#include "compdraw/reels.h"
#include "platform/controls.h"
#include "platform/picture_box.h"

#include <QLabel>
#include <QWidget>
#include <array>
#include <cstdint>
#include <random>

namespace compdraw::draw {

struct DrawSettings {
    int passMs = 3;  // least time of one animation pass; 0 runs the passes back to back
};

class Form1 : public QWidget {
    Q_OBJECT
public:
    Form1(const QString& folder, const DrawSettings& settings = {}, QWidget* parent = nullptr);

    void Form_Load();
    void Command1_Click();  // "停止": picks the winner
    void Command2_Click();  // "开始": spins the reels until they land on the winner

    // Window-level state.
    EntrantList entrants;  // nameList and reelChars
    int16_t nameCount = 0;
    ReelLabels reels;      // label tops and captions, reelSpeed
    std::array<QString, 3> winChars;
    QString winner;
    QString drawnList;
    bool stopFlag = false;
    // The random source; Form_Load seeds it from the timer. Tests replace it.
    Uniform uniform;

    platform::PictureBox* Picture1;
    platform::PictureBox* Picture2;
    std::array<QLabel*, 2> Image1;
    std::array<platform::Label*, 6> ln;
    platform::ListBox* List1;
    platform::CommandButton* Command2;
    platform::CommandButton* Command1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Places every control from the window's layout table, in twips.
    void placeControls();
    void Form_QueryUnload();
    void showReels();
    void showBanner(QLabel* image, const QImage& picture);
    bool unloaded() const { return unloaded_; }

    QString folder_;
    DrawSettings settings_;
    std::mt19937 rng_;
    bool unloaded_ = false;
};

}  // namespace compdraw::draw
