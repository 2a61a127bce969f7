// Controls with the behaviour the programs rely on: a text box set from code
// runs its change handler, a list whose selection is set from code runs its
// click handler (filling it does not), check boxes hold 0, 1 or 2, labels take
// CR LF captions, and every control is placed in twips (15 to the pixel).
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <cstdint>
#include <initializer_list>

namespace platform {

constexpr int kTwipsPerPixel = 15;

int twipsToPixels(int twips);
void placeTwips(QWidget* widget, int left, int top, int width, int height);

// One row of a window's layout table: a control and its place in twips.
struct TwipsPlace {
    QWidget* control;
    int left, top, width, height;
};
// Places every control of a layout table; every window places its controls
// this way.
void placeAll(std::initializer_list<TwipsPlace> table);

// Background colour of a widget (its palette's Base, Window and Button roles).
void setBackColor(QWidget* widget, int32_t color);
// Text colour of a widget.
void setForeColor(QWidget* widget, int32_t color);

// Mouse buttons and shift keys as handlers receive them.
enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
int mouseButtonOf(Qt::MouseButton button);
int mouseButtonsOf(Qt::MouseButtons buttons);
int shiftStateOf(Qt::KeyboardModifiers modifiers);

class SingleLineValidator;

// Single-line text box; change() runs on typing and on text set from code.
// It holds text of any length. Text pasted, dropped, typed or inserted is cut
// at its first CR or LF, as the desktop's single-line box does; text the
// program sets with setText stays whole, line breaks included.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(const QString& text = {}, QWidget* parent = nullptr);
    void setText(const QString& text);
signals:
    void change();

private:
    SingleLineValidator* validator_;
};

// Drop-down list. click() runs on a user's choice and on setListIndex(),
// never while the list is filled.
class ComboList : public QComboBox {
    Q_OBJECT
public:
    explicit ComboList(QWidget* parent = nullptr);
    void addListItem(const QString& text);
    void fill(const QStringList& items);
    void clearList();
    int listIndex() const { return currentIndex(); }
    void setListIndex(int index);
    int32_t backColor() const { return backColor_; }
    void setBackColor(int32_t color);
signals:
    void click();

private:
    int32_t backColor_ = 0xFFFFFF;
};

// List box with the same click rule as ComboList. All its lines are one
// line high: adding a line never lays out the lines before it.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);
    void addListItem(const QString& text);
    void clearList();
    int listCount() const { return count(); }
    QString list(int index) const;
    int listIndex() const { return currentRow(); }
    void setListIndex(int index);
signals:
    void click();
};

// Check box holding 0 (clear), 1 (ticked) or 2 (greyed). A click on a greyed
// box ticks it. mouseUp() runs after the click has toggled the value.
class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString& caption = {}, int value = 0, QWidget* parent = nullptr);
    int value() const;
    void setValue(int value);
signals:
    void mouseUp(int button, int shift, int x, int y);

protected:
    void nextCheckState() override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(const QString& caption = {}, QWidget* parent = nullptr);
};

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString& caption = {}, QWidget* parent = nullptr);
};

// Label whose caption may hold CR LF line breaks; caption() returns the text
// exactly as set.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(const QString& caption = {}, QWidget* parent = nullptr);
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    int32_t backColor() const { return backColor_; }
    void setBackColor(int32_t color);
    int32_t foreColor() const { return foreColor_; }
    void setForeColor(int32_t color);

private:
    QString caption_;
    int32_t backColor_ = -1;
    int32_t foreColor_ = 0;
};

// Line shape: a line between two points of its parent, drawn in a border
// width and colour, beneath the parent's other controls (they cover it as
// they would cover the parent's own drawing). Coordinates are the parent's
// pixels.
class LineShape : public QWidget {
    Q_OBJECT
public:
    explicit LineShape(QWidget* parent = nullptr);
    void setPoints(int x1, int y1, int x2, int y2);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int width);
    int32_t borderColor() const { return borderColor_; }
    void setBorderColor(int32_t color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void placeOverPoints();
    QPoint p1_, p2_;
    int borderWidth_ = 1;
    int32_t borderColor_ = 0;
};

// Frame with its own background: whatever lies under it stays hidden.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(const QString& caption = {}, QWidget* parent = nullptr);
};

}  // namespace platform
