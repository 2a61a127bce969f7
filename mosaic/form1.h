// The mosaic generator's main window: working picture, palette lists, pattern
// settings and the tool buttons. Handlers read controls, call the logic of
// this folder, and write the results back.
#pragma once

#include "mosaic/curve_editor.h"
#include "mosaic/palette.h"
#include "mosaic/sampling.h"
#include "mosaic/undo_history.h"
#include "platform/controls.h"
#include "platform/picture_box.h"

#include <QMenu>
#include <QWidget>
#include <array>
#include <memory>

namespace mosaic {

class Form2;

// The two editions built from this window. Edition 0.9 lacks the tone curve,
// the brush, the undo history, the erase effect and the backing copy.
enum class Edition { V10, V09 };

class Form1 : public QWidget {
    Q_OBJECT
public:
    // folder: the program folder, where patterns are saved. Edition 1.0.
    explicit Form1(const QString& folder, QWidget* parent = nullptr);
    ~Form1() override;

    Edition edition() const { return edition_; }
    // Effect buttons of this edition: 7 in edition 1.0, 6 (no erase) in 0.9.
    int effectCount() const;

    void Form_Load();

    // Face for a sampled colour, reading the six target boxes now.
    int16_t GetFace(int blue, int green, int red) const;
    // The six target distances as the boxes hold them now.
    std::array<double, kFaces> targetDistances() const;

    void Combo1_Click(int face);

    Palette palette;
    int16_t cpuThreads = 0;
    ColorValue gapColor = 0;
    QString programFolder;

    // Frame1 "图形设定"
    platform::Frame* Frame1;
    platform::TextBox* Text1;
    platform::TextBox* Text2;
    platform::Label* Label1;
    platform::Label* Label5;
    platform::TextBox* Text6;
    platform::CheckBox* Check1;
    platform::TextBox* Text5;
    platform::CheckBox* Check3;
    platform::TextBox* Text7;
    platform::Label* Label6;
    platform::Label* Label2;
    std::array<platform::TextBox*, 6> Text3;
    platform::Label* Label13;
    // Frame2 "配色设定"
    platform::Frame* Frame2;
    platform::CheckBox* Check2;
    std::array<platform::ComboList*, 6> Combo1;
    // Frame6 "色彩调整" (edition 1.0 only: the frame and the controls from
    // Command4 on; edition 0.9 puts Label8 to Command3 into a frame of its own)
    platform::Frame* Frame6{};
    platform::Label* Label8;
    platform::Label* Label7;
    platform::Label* Label9;
    platform::ComboList* Combo2;
    platform::Label* Label10;
    platform::TextBox* Text4;
    platform::CommandButton* Command3;
    std::array<platform::CommandButton*, 2> Command4{};
    std::array<platform::OptionButton*, 2> Option1{};
    platform::ComboList* Combo3{};
    std::array<platform::CommandButton*, 2> Command7{};
    platform::LineShape* Line1{};
    // Frame5 "图像效果" (edition 1.0 only; in 0.9 Command5[0..5] stand elsewhere)
    platform::Frame* Frame5{};
    CurveEditor* picCurve{};
    std::array<platform::CommandButton*, 7> Command5{};
    // Frame3 "图像生成" (edition 1.0; edition 0.9 uses the name for its own frame)
    platform::Frame* Frame3{};
    platform::CommandButton* Command2;
    platform::CommandButton* Command1;
    platform::CommandButton* Command6;
    platform::TextBox* Text9;
    // Frame4 "投资概预算" (below the client area, hidden)
    platform::Frame* Frame4;
    platform::Label* Label11;
    platform::TextBox* Text8;
    platform::Label* Label12;
    // No frame
    platform::PictureBox* Picture1;
    platform::PictureBox* PicBACK{};
    std::vector<platform::PictureBox*> Picture2;
    platform::Label* Label4;
    platform::Label* Label14;
    // The preview window's pop-up menu
    QMenu* menu1;
    QAction* m1;
    QAction* m2;
    QAction* m3;

    Form2* form2() const { return form2_; }

    // Pushes a snapshot of the working picture on the undo history.
    void saveUndo();
    // PicBACK takes a copy of the working picture as displayed.
    virtual void writeBackingCopy();

    // Working picture, brush, undo, generation and output
    bool brushMode = false;   // brush selected; false: colour picker
    bool penDown = false;     // a button went down on Picture1 and is not released
    float lastX = 0, lastY = 0;
    UndoHistory undoHistory;  // the snapshot slots and undoIndex
    int16_t cubeOrder = 0;    // as last set by generation or the text output
    bool cubeSep = false;
    bool generating = false;  // a second click of 生成图片 / 存为文本 while one
    bool writingText = false; // runs is ignored

    void Picture1_OLEDragDrop(const QString& file);
    void Picture1_Click();
    void Option1_Click(int16_t index);
    void Picture1_MouseDown(int button, int shift, double x, double y);
    void Picture1_MouseMove(int button, int shift, double x, double y);
    void Picture1_MouseUp(int button, int shift, double x, double y);
    void Command7_Click(int16_t index);
    void Combo3_Click();
    void Command4_Click(int16_t index);
    void Command2_Click();
    void m3_Click();
    void Command1_Click();
    void m1_Click();
    void Command6_Click();
    // Brush width and the handlers of this block (from the constructor).
    void setupWorkingPicture();
    // The pattern settings as the boxes hold them now.
    PatternInput patternInput() const;
    // The pattern settings and grid checked against the working picture; an
    // error text when a value is refused.
    QString readCheckedPattern(PatternInput& in, PreviewGrid& grid, bool forDrawing) const;

    // Effects, colour replace and estimates
    void Command5_Click(int index);
    void Command3_Click();
    void Text1_Change();
    void Text2_Change();
    void Text8_Change();
    // Colour last picked from the screen; the colour replace looks for it.
    ColorValue pickedColor = 0;

    // Tone curve: the curve box's three mouse handlers (X and Y in box
    // units) and the application of the curve from PicBACK into Picture1.
    void drawCurves(platform::PictureBox* srcPic, platform::PictureBox* dstPic);
    void picCurve_MouseDown(int Button, int Shift, float X, float Y);
    void picCurve_MouseMove(int Button, int Shift, float X, float Y);
    void picCurve_MouseUp(int Button, int Shift, float X, float Y);

private:
    void connectToolHandlers();
    // Colour of a palette name, found through the face lists; 0 when no
    // shade has that name.
    ColorValue shadeColorByName(const QString& name) const;
    // Effect 0..5 from the working picture into a result buffer that then
    // becomes the picture; false when no memory could be had for it.
    bool paintEffect(int index);
    // Keeps PicBACK a copy of Picture1, tile by tile.
    std::unique_ptr<PictureCopy> backingCopy_;

    void connectCurveHandlers();
    // Kept between curve updates, so that a drag allocates no new buffer.
    PixelBuffer2D curveBuffer_;

protected:
    // For the editions built on this window.
    Form1(const QString& folder, Edition edition, QWidget* parent = nullptr);
    void closeEvent(QCloseEvent* event) override;
    // Taken by the effects, the colour replace and the drop before they
    // change the working picture (edition 1.0: an undo snapshot).
    virtual void takeRestorePoint();

private:
    void createControls();
    void createBrushAndCurveControls();
    void connectHandlers();
    void Form_QueryUnload();
    // Start-up steps owned by the tone curve and the undo history.
    void setupToneCurve();
    void setupUndoHistory();

    Form2* form2_ = nullptr;
    const Edition edition_;
};

}  // namespace mosaic
