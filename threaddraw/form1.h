// The thread prize draw's window: thread box, draw range, floor list, the
// status list and the log. Handlers read the controls, call the logic of
// this folder and write the results back.
#pragma once

#include "platform/controls.h"
#include "threaddraw/floor_table.h"
#include "threaddraw/multi_line_box.h"
#include "threaddraw/profile_panel.h"
#include "threaddraw/settings.h"

#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>
#include <random>

namespace threaddraw {

// "-=" 21 times, then "-": the line that opens every log entry.
extern const QString kLogSeparator;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(const Settings& settings, QWidget* parent = nullptr);

    void Form_Load();
    void Form_Resize();
    void List1_Click();
    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    // 0 floor lookup, 1 ID lookup, 2 profile fetch; the hidden-mode code in
    // Text3 only shows the extra exclusion list.
    void Command3_Click(int index);

    // Fills the extra exclusion list from the exclusion thread.
    void loadids();
    // Adds the floor list items; the list is not cleared here.
    void sxList();
    // Writes the duplicate-reply report to List1.
    void cfList();

    // Shows "HH:MM:SS message" as the title and as a new line of List1;
    // returns the line.
    QString status(const QString& message);
    // Appends a line to List3 and selects its last line.
    void logLine(const QString& line);

    Settings settings;
    FloorTable cubers;
    QString ids;
    // Uniform random number in [0, 1); seeded from the timer at start-up.
    std::function<float()> rnd;

    platform::Frame* Frame1;
    std::array<platform::Label*, 3> Label1;
    platform::TextBox* Text1;
    std::array<platform::TextBox*, 2> Text2;
    platform::TextBox* Text3;
    MultiLineBox* Text4;
    platform::CommandButton* Command1;
    platform::CommandButton* Command2;
    std::array<platform::CommandButton*, 3> Command3;
    platform::ComboList* Combo1;
    platform::ListBox* List1;
    platform::ListBox* List3;
    // Holds Image1, Label2 and Label3.
    ProfilePanel* Panel;
    platform::Label* Label2;
    std::array<platform::Label*, 3> Label3;
    QLabel* Image1;

    bool reading() const { return reading_; }
    // True from Form_Load until the start-up fetch of the exclusion list ends.
    bool loadingIds() const { return idsPending_; }
    bool fetchingProfile() const { return profiling_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Places every control from the window's layout table, in twips.
    void placeControls();
    // Asked by every wait: a closed window stops waiting.
    bool closed() const { return closed_; }
    // The request rules of this window: the deadline and caps of its settings,
    // and a closed window stops the wait.
    platform::RequestRule pageRule() const;
    platform::RequestRule pictureRule() const;
    // The author profile of Text3 into Image1, Label2 and Label3.
    void fetchProfile();
    // A new line (CR LF, then the text) at the end of a label's caption.
    static void appendLine(platform::Label* label, const QString& line);
    // A label grows or shrinks with its text, keeping its width: the
    // profile text and the forum columns.
    static void fitHeight(platform::Label* label);
    void fitLabel2();
    // A page as one cleaned line; the empty text when the fetch fails.
    QString cleanedPage(const QString& url);

    std::mt19937 rng_;
    bool reading_ = false;
    bool closed_ = false;
    bool profiling_ = false;
    bool idsPending_ = false;
};

}  // namespace threaddraw
