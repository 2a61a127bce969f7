// The mosaic generator's main window: working picture, palette lists, pattern
// settings and the tool buttons. Handlers read controls, call the logic of
// this folder, and write the results back.
#pragma once

#include "mosaic/palette.h"
#include "mosaic/tone_curve.h"
#include "platform/controls.h"
#include "platform/picture_box.h"

#include <QMenu>
#include <QWidget>
#include <array>

namespace mosaic {

class Form2;

class Form1 : public QWidget {
    Q_OBJECT
public:
    // folder: the program folder, where patterns are saved.
    explicit Form1(const QString& folder, QWidget* parent = nullptr);
    ~Form1() override;

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
    // Frame6 "色彩调整"
    platform::Frame* Frame6;
    platform::Label* Label8;
    platform::Label* Label7;
    platform::Label* Label9;
    platform::ComboList* Combo2;
    platform::Label* Label10;
    platform::TextBox* Text4;
    platform::CommandButton* Command3;
    std::array<platform::CommandButton*, 2> Command4;
    std::array<platform::OptionButton*, 2> Option1;
    platform::ComboList* Combo3;
    std::array<platform::CommandButton*, 2> Command7;
    platform::LineShape* Line1;
    // Frame5 "图像效果"
    platform::Frame* Frame5;
    platform::PictureBox* picCurve;
    std::array<platform::CommandButton*, 7> Command5;
    // Frame3 "图像生成"
    platform::Frame* Frame3;
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
    platform::PictureBox* PicBACK;
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
    void writeBackingCopy();

    // Tone curve: the curve box's points and table, its three mouse handlers
    // and the application of the curve from PicBACK into Picture1.
    ToneCurve curve;
    bool dragging = false;
    int32_t selPoint = -1;
    void updateCurve();
    void drawCurves(platform::PictureBox* srcPic, platform::PictureBox* dstPic);
    // X and Y in box units. A call that arrives while a curve event is being
    // handled (through the event pump of the picture write) is queued and
    // handled after it; queued moves collapse to the newest.
    void picCurve_MouseDown(int Button, int Shift, float X, float Y);
    void picCurve_MouseMove(int Button, int Shift, float X, float Y);
    void picCurve_MouseUp(int Button, int Shift, float X, float Y);
    // Box units of a position in the curve box's pixels (inside from pixel 1,
    // 99 pixels for 260 units).
    static QPointF curveUnitsOf(double px, double py);
    // How many curve updates have run.
    int curveUpdateCount() const { return curveUpdates_; }

private:
    enum class CurveEventKind { Down, Move, Up, Update };
    struct CurveEvent {
        CurveEventKind kind;
        int button;
        int shift;
        float x;
        float y;
    };
    void connectCurveHandlers();
    void runCurveEvent(const CurveEvent& event);
    void handleCurveEvent(const CurveEvent& event);
    void curveMouseDown(float X, float Y);
    void curveMouseMove(float X, float Y);
    void curveMouseUp();
    bool curveBusy_ = false;
    std::vector<CurveEvent> curveQueue_;
    PixelBuffer2D curveBuffer_;
    int curveUpdates_ = 0;

public:
protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    void Form_QueryUnload();
    // Start-up steps owned by the tone curve and the undo history.
    void setupToneCurve();
    void setupUndoHistory();

    Form2* form2_ = nullptr;
};

}  // namespace mosaic
