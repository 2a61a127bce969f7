// The main window of edition 0.9: the shared window of mosaic/ in the older
// layout, with one restore copy of the working picture in place of the undo
// history, the backing copy and the brush.
#pragma once

#include "mosaic/form1_base.h"
#include "mosaic09/restore_buffer.h"

namespace mosaic09 {

class Form1 : public mosaic::Form1Base {
    Q_OBJECT
public:
    // folder: the program folder, where patterns are saved.
    explicit Form1(const QString& folder, QWidget* parent = nullptr);

    // Frame3 "色彩调整": the effects, "还原" and the colour replace
    platform::Frame* Frame3;
    // "还原": a single button in this edition.
    platform::CommandButton* Command4;
    // The RestoreBuffer: the working picture as it was at the last backup,
    // the start picture until then. Held out of the user's sight.
    RestoreBuffer Picture2;

    // Puts the RestoreBuffer back into the working picture, and nothing else.
    void Command4_Click();
    // The RestoreBuffer takes a copy of the working picture.
    void backupWorkingPicture();

    // No backing copy in this edition.
    void writeBackingCopy() override;

protected:
    void takeRestorePoint() override;

private:
    void createControls();
    void placeControls();
};

}  // namespace mosaic09
