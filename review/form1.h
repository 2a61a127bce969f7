// The review writer's window: the 87 option controls in seven groups, the
// article box and the buttons. Handlers read the controls, call the article
// and option-state logic, and write the results back.
#pragma once

#include "review/option_set.h"
#include "platform/controls.h"

#include <QPlainTextEdit>
#include <QWidget>
#include <array>

namespace review {

// Multi-line text box with a vertical scroll bar; its text uses CR LF.
class ArticleBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ArticleBox(QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);
};

class Form1 : public QWidget {
    Q_OBJECT
public:
    // folder: the program folder, where option-state files live.
    explicit Form1(const QString& folder, QWidget* parent = nullptr);

    void Form_Load();

    // Text of a list (empty when no item is chosen) and of a text box; an
    // index outside the array throws std::out_of_range.
    QString c(int16_t index) const;
    QString t(int16_t index) const;

    // The options as the controls hold them now.
    OptionValues optionValues() const;

    void Check1_MouseUp(int index, int button, int shift, int x, int y);
    void Command1_Click();
    void Command2_Click(int index);
    void Command3_Click();

    QString programFolder;

    std::array<platform::Frame*, 7> tabs{};
    platform::Frame* Frame1 = nullptr;
    platform::Frame* Frame2 = nullptr;
    std::array<platform::TextBox*, kTextCount> Text1{};
    std::array<platform::ComboList*, kListCount> Combo1{};
    std::array<platform::CheckBox*, kCheckCount> Check1{};
    std::array<platform::Label*, kLabelCount> Label1{};
    ArticleBox* Text2 = nullptr;
    platform::CommandButton* Command1 = nullptr;
    std::array<platform::CommandButton*, 2> Command2{};
    platform::CommandButton* Command3 = nullptr;

private:
    void createControls();
    // Places every control from the window's layout table, in twips.
    void placeControls();
    void connectHandlers();
    void saveOptions();
    void readOptions();
    // Sets the first `count` options (texts, lists, checks) from values.
    void setOptions(const OptionValues& values, int count);
};

}  // namespace review
