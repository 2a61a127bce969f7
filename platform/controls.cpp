#include "platform/controls.h"

#include "platform/color_value.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QValidator>
#include <algorithm>
#include <cmath>
#include <limits>

namespace platform {

int twipsToPixels(int twips)
{
    return int(std::lround(double(twips) / kTwipsPerPixel));
}

void placeTwips(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void setBackColor(QWidget* widget, int32_t color)
{
    QPalette pal = widget->palette();
    const QColor c = toQColor(color);
    pal.setColor(QPalette::Base, c);
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Button, c);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

void setForeColor(QWidget* widget, int32_t color)
{
    QPalette pal = widget->palette();
    const QColor c = toQColor(color);
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    pal.setColor(QPalette::ButtonText, c);
    widget->setPalette(pal);
}

void placeAll(std::initializer_list<TwipsPlace> table)
{
    for (const TwipsPlace& p : table)
        placeTwips(p.control, p.left, p.top, p.width, p.height);
}

int mouseButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::MiddleButton: return kMiddleButton;
    default: return 0;
    }
}

int mouseButtonsOf(Qt::MouseButtons buttons)
{
    int b = 0;
    if (buttons & Qt::LeftButton) b |= kLeftButton;
    if (buttons & Qt::RightButton) b |= kRightButton;
    if (buttons & Qt::MiddleButton) b |= kMiddleButton;
    return b;
}

int shiftStateOf(Qt::KeyboardModifiers modifiers)
{
    int s = 0;
    if (modifiers & Qt::ShiftModifier) s |= 1;
    if (modifiers & Qt::ControlModifier) s |= 2;
    if (modifiers & Qt::AltModifier) s |= 4;
    return s;
}

// Sees every change of a text box's text. A line break in what the change
// inserted drops the inserted text from that break on, keeping the text
// around it; the inserted part is what lies between the text's unchanged
// start and end. Text set by the program is taken whole, breaks and all.
class SingleLineValidator : public QValidator {
public:
    using QValidator::QValidator;

    bool takeWhole = false;

    State validate(QString& input, int& pos) const override
    {
        if (!takeWhole) {
            const qsizetype shorter = std::min(input.size(), last_.size());
            qsizetype start = 0;
            while (start < shorter && input[start] == last_[start])
                ++start;
            qsizetype tail = 0;
            while (tail < shorter - start && input[input.size() - 1 - tail] == last_[last_.size() - 1 - tail])
                ++tail;
            const qsizetype end = input.size() - tail;
            const auto it = std::find_if(input.cbegin() + start, input.cbegin() + end,
                                         [](QChar c) { return c == u'\r' || c == u'\n'; });
            const qsizetype at = it - input.cbegin();
            if (at < end) {
                input.remove(at, end - at);
                pos = pos >= end ? int(pos - (end - at)) : int(std::min<qsizetype>(pos, at));
            }
        }
        last_ = input;
        return Acceptable;
    }

private:
    mutable QString last_;  // the text as last accepted
};

TextBox::TextBox(const QString& text, QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(std::numeric_limits<int>::max());
    validator_ = new SingleLineValidator(this);
    setValidator(validator_);
    setText(text);
    connect(this, &QLineEdit::textChanged, this, &TextBox::change);
}

void TextBox::setText(const QString& text)
{
    validator_->takeWhole = true;
    QLineEdit::setText(text);
    validator_->takeWhole = false;
}

ComboList::ComboList(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, &ComboList::click);
}

void ComboList::addListItem(const QString& text)
{
    const QSignalBlocker block(this);
    const int index = currentIndex();
    addItem(text);
    setCurrentIndex(index);
}

void ComboList::fill(const QStringList& items)
{
    for (const QString& item : items)
        addListItem(item);
}

void ComboList::clearList()
{
    const QSignalBlocker block(this);
    clear();
}

void ComboList::setListIndex(int index)
{
    {
        const QSignalBlocker block(this);
        setCurrentIndex(index);
    }
    emit click();
}

void ComboList::setBackColor(int32_t color)
{
    backColor_ = color;
    platform::setBackColor(this, color);
}

ListBox::ListBox(QWidget* parent) : QListWidget(parent)
{
    // Every line is one line high, as in the desktop's list box; so a new
    // line costs the same however long the list is, where lines of their own
    // sizes would make the view measure every earlier line again.
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemClicked, this, [this] { emit click(); });
}

void ListBox::addListItem(const QString& text)
{
    const QSignalBlocker block(this);
    addItem(text);
}

void ListBox::clearList()
{
    const QSignalBlocker block(this);
    clear();
}

QString ListBox::list(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

void ListBox::setListIndex(int index)
{
    {
        const QSignalBlocker block(this);
        setCurrentRow(index);
        if (QListWidgetItem* it = item(index))
            scrollToItem(it);
    }
    emit click();
}

CheckBox::CheckBox(const QString& caption, int value, QWidget* parent) : QCheckBox(caption, parent)
{
    setTristate(true);
    setValue(value);
}

int CheckBox::value() const
{
    switch (checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void CheckBox::setValue(int value)
{
    setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void CheckBox::nextCheckState()
{
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void CheckBox::mouseReleaseEvent(QMouseEvent* event)
{
    QCheckBox::mouseReleaseEvent(event);
    const QPoint p = event->position().toPoint();
    emit mouseUp(mouseButtonOf(event->button()), shiftStateOf(event->modifiers()), p.x(), p.y());
}

OptionButton::OptionButton(const QString& caption, QWidget* parent) : QRadioButton(caption, parent) {}

CommandButton::CommandButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

Label::Label(const QString& caption, QWidget* parent) : QLabel(parent)
{
    setCaption(caption);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
}

void Label::setCaption(const QString& caption)
{
    caption_ = caption;
    QString shown = caption;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setText(shown);
}

void Label::setBackColor(int32_t color)
{
    backColor_ = color;
    platform::setBackColor(this, color);
}

void Label::setForeColor(int32_t color)
{
    foreColor_ = color;
    platform::setForeColor(this, color);
}

LineShape::LineShape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    lower();  // beneath the controls already there
}

void LineShape::setPoints(int x1, int y1, int x2, int y2)
{
    p1_ = QPoint(x1, y1);
    p2_ = QPoint(x2, y2);
    placeOverPoints();
}

void LineShape::setBorderWidth(int width)
{
    borderWidth_ = width < 1 ? 1 : width;
    placeOverPoints();
}

void LineShape::setBorderColor(int32_t color)
{
    borderColor_ = color;
    update();
}

void LineShape::placeOverPoints()
{
    const int m = borderWidth_ / 2 + 1;
    setGeometry(QRect(p1_, p2_).normalized().adjusted(-m, -m, m, m));
    update();
}

void LineShape::paintEvent(QPaintEvent*)
{
    // Drawn on the container's surface, as the desktop draws a shape: the
    // container's other controls cover it, whatever its width.
    QRegion surface(rect());
    if (const QWidget* container = parentWidget())
        for (const QObject* child : container->children()) {
            const auto* control = qobject_cast<const QWidget*>(child);
            if (control && control != this && !control->isWindow() && control->isVisibleTo(container))
                surface -= QRegion(control->geometry().translated(-pos()));
        }
    QPainter p(this);
    p.setClipRegion(surface);
    p.setPen(QPen(toQColor(borderColor_), borderWidth_, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(p1_ - pos(), p2_ - pos());
}

Frame::Frame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent)
{
    // A frame paints its own background, so that a picture lying under it
    // does not show through its captions.
    setAutoFillBackground(true);
}

}  // namespace platform
