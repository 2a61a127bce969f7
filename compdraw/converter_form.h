// The competitor-list converter's window: converts the saved page
// "cubing.txt" into "list.txt", lists the WCA IDs and, when "WCA头像" is
// ticked, fills the avatar cache.
#pragma once

#include "compdraw/avatar_cache.h"
#include "platform/controls.h"
#include "platform/http_request.h"
#include "platform/picture_box.h"

#include <QLabel>
#include <QWidget>
#include <array>

namespace compdraw::convert {

struct ConverterSettings {
    QString avatarBase = defaultAvatarBase();  // scheme and host of the avatar addresses
    int timeoutMs = platform::kDefaultHttpTimeoutMs;  // per avatar, send to last byte
};

class Form1 : public QWidget {
    Q_OBJECT
public:
    Form1(const QString& folder, const ConverterSettings& settings = {}, QWidget* parent = nullptr);

    void Command1_Click();
    void loadpic();

    platform::Label* Label1;
    std::array<platform::Label*, 2> Label2;
    platform::CheckBox* Check1;
    platform::CheckBox* Check2;
    platform::CheckBox* Check3;
    platform::CheckBox* Check4;
    platform::CheckBox* Check5;
    platform::CommandButton* Command1;
    platform::ListBox* List1;
    QLabel* Image1;
    platform::PictureBox* Picture1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Places every control from the window's layout table, in twips.
    void placeControls();
    void status(const QString& message);  // message followed by the time of day

    QString folder_;
    ConverterSettings settings_;
    bool unloaded_ = false;
};

}  // namespace compdraw::convert
