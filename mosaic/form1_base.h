// What the main windows of both editions share: the working picture, the
// pattern settings, the face lists, the colour replace, the six effects, the
// output buttons and the estimates, with their handlers. Handlers read
// controls, call the logic of this folder, and write the results back. An
// edition's window creates these controls in its containers, adds its own,
// and places them all from its layout table.
#pragma once

#include "mosaic/palette.h"
#include "mosaic/sampling.h"
#include "platform/controls.h"
#include "platform/picture_box.h"

#include <QMenu>
#include <QWidget>
#include <array>
#include <vector>

namespace mosaic {

class Form2;

class Form1Base : public QWidget {
    Q_OBJECT
public:
    ~Form1Base() override;

    // Effect buttons of the window.
    int effectCount() const { return int(Command5.size()); }

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
    // The colour replace, in a frame of the edition's
    platform::Label* Label8;
    platform::Label* Label7;
    platform::Label* Label9;
    platform::ComboList* Combo2;
    platform::Label* Label10;
    platform::TextBox* Text4;
    platform::CommandButton* Command3;
    // The effect buttons, in a frame of the edition's: the six effects, and
    // those an edition adds
    std::vector<platform::CommandButton*> Command5;
    // Generation and output
    platform::CommandButton* Command2;
    platform::CommandButton* Command1;
    platform::CommandButton* Command6;
    platform::TextBox* Text9;
    // Frame4 "投资概预算"
    platform::Frame* Frame4;
    platform::Label* Label11;
    platform::TextBox* Text8;
    platform::Label* Label12;
    // No frame
    platform::PictureBox* Picture1;
    platform::Label* Label4;
    platform::Label* Label14;
    // The preview window's pop-up menu
    QMenu* menu1;
    QAction* m1;
    QAction* m2;
    QAction* m3;

    Form2* form2() const { return form2_; }

    // The copy of the working picture that an edition keeps beside it takes
    // the picture as displayed.
    virtual void writeBackingCopy() = 0;

    // Generation and output
    int16_t cubeOrder = 0;    // as last set by generation or the text output
    bool cubeSep = false;
    bool generating = false;  // a second click of 生成图片 / 存为文本 while one
    bool writingText = false; // runs is ignored

    void Picture1_OLEDragDrop(const QString& file);
    void Picture1_Click();
    void Command2_Click();
    void m3_Click();
    void Command1_Click();
    void m1_Click();
    void Command6_Click();
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

protected:
    // folder: the program folder, where patterns are saved.
    explicit Form1Base(const QString& folder, QWidget* parent = nullptr);

    // The shared controls group by group, each in the container an edition
    // gives it; an edition calls these in the order of its tab order.
    void createWorkingPicture();
    void createShapeFrame();
    void createColorFrame();
    void createColorReplace(QWidget* box);
    void createEffectButtons(QWidget* box);
    void createOutputControls(QWidget* box);
    void createEstimateFrame();
    void createMenu();
    // The handlers of the shared controls.
    void connectHandlers();

    // Start-up steps of an edition: before the window shows, with the lists
    // (after the replace list is filled, before it is selected), and last.
    virtual void loadBeforeShow() {}
    virtual void loadLists() {}
    virtual void loadLast() {}

    // Taken by the effects, the colour replace and the drop before they
    // change the working picture.
    virtual void takeRestorePoint() = 0;
    // Effect index from the working picture into the picture; false when no
    // memory could be had for it.
    virtual bool paintEffect(int index);
    // After an effect, and after a colour replace that painted.
    virtual void afterEffect() {}
    virtual void afterReplace() {}

    // Colour of a palette name, found through the face lists; 0 when no
    // shade has that name.
    ColorValue shadeColorByName(const QString& name) const;

    void closeEvent(QCloseEvent* event) override;

private:
    void connectToolHandlers();
    void setupWorkingPicture();
    void Form_QueryUnload();

    Form2* form2_ = nullptr;
};

}  // namespace mosaic
