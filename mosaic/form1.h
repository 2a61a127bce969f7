// The main window of edition 1.0: the shared window with the tone curve, the
// brush, the undo history with its backing copy, and the erase effect.
#pragma once

#include "mosaic/curve_editor.h"
#include "mosaic/form1_base.h"
#include "mosaic/undo_history.h"

#include <array>
#include <memory>
#include <vector>

namespace mosaic {

class Form1 : public Form1Base {
    Q_OBJECT
public:
    // folder: the program folder, where patterns are saved.
    explicit Form1(const QString& folder, QWidget* parent = nullptr);

    // Frame6 "色彩调整": the colour replace, the brush and an undo button
    platform::Frame* Frame6;
    std::array<platform::CommandButton*, 2> Command4;
    std::array<platform::OptionButton*, 2> Option1;
    platform::ComboList* Combo3;
    std::array<platform::CommandButton*, 2> Command7;
    platform::LineShape* Line1;
    // Frame5 "图像效果": the curve box, the effects and an undo button
    platform::Frame* Frame5;
    CurveEditor* picCurve;
    // Frame3 "图像生成"
    platform::Frame* Frame3;
    // Right of the client area, hidden: the backing copy and the first undo slot
    platform::PictureBox* PicBACK;
    std::vector<platform::PictureBox*> Picture2;

    // Pushes a snapshot of the working picture on the undo history.
    void saveUndo();
    // PicBACK takes a copy of the working picture as displayed.
    void writeBackingCopy() override;

    // Brush and undo
    bool brushMode = false;   // brush selected; false: colour picker
    bool penDown = false;     // a button went down on Picture1 and is not released
    float lastX = 0, lastY = 0;
    UndoHistory undoHistory;  // the snapshot slots and undoIndex

    void Option1_Click(int16_t index);
    void Picture1_MouseDown(int button, int shift, double x, double y);
    void Picture1_MouseMove(int button, int shift, double x, double y);
    void Picture1_MouseUp(int button, int shift, double x, double y);
    void Command7_Click(int16_t index);
    void Combo3_Click();
    void Command4_Click(int16_t index);

    // Tone curve: the curve box's three mouse handlers (X and Y in box
    // units) and the application of the curve from PicBACK into Picture1.
    void drawCurves(platform::PictureBox* srcPic, platform::PictureBox* dstPic);
    void picCurve_MouseDown(int Button, int Shift, float X, float Y);
    void picCurve_MouseMove(int Button, int Shift, float X, float Y);
    void picCurve_MouseUp(int Button, int Shift, float X, float Y);

protected:
    // Start-up: the tone curve before the window shows, the brush colour
    // with the lists, the undo history last.
    void loadBeforeShow() override;
    void loadLists() override;
    void loadLast() override;
    // The restore point is an undo snapshot.
    void takeRestorePoint() override;
    // The six effects and the erase.
    bool paintEffect(int index) override;
    // The brush keeps its colour; the history prepares its next reserve.
    void afterEffect() override;
    void afterReplace() override;

private:
    void createControls();
    void placeControls();
    void setupBrush();
    void connectCurveHandlers();
    // Start-up steps owned by the tone curve and the undo history.
    void setupToneCurve();
    void setupUndoHistory();

    // Keeps PicBACK a copy of Picture1, tile by tile.
    std::unique_ptr<PictureCopy> backingCopy_;
    // Kept between curve updates, so that a drag allocates no new buffer.
    PixelBuffer2D curveBuffer_;
};

}  // namespace mosaic
