#include "platform/testing/fit_check.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <climits>

namespace testing_support {

namespace {

// How a control shows one text: where the control lays the text out, where
// the text's pixels can be seen, the lines' box at the control's alignment,
// the pixels the glyphs really paint, and what the control paints with them
// (the text alone, or all of the control). A control that wraps or scrolls
// a line wider than its place is bound by the lines' widths instead of
// their pixels.
struct Shown {
    QRect place;  // control coordinates, as all below
    QRect clip;
    QRect block;
    QRect ink;
    QRect drawn;
    int widest = 0;
    QList<QPoint> starts;  // each line's pen start, at the top of its line box
    QString overflow;  // what a line wider than the place does, when it is not cut
};

QString plainLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// The pixels one line's glyphs paint, as the font really draws them (black
// on white), from the pen's start at the top of the line box; empty for a
// line without ink. Faint edges of smoothed glyphs do not count.
QRect inkOf(const QFont& font, const QString& line)
{
    const QFontMetrics fm(font);
    const int pad = 8;
    QImage image(fm.horizontalAdvance(line) + 2 * pad, fm.height() + 2 * pad, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(pad, pad + fm.ascent()), line);
    }
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qGray(row[x]) < 192)
                ink |= QRect(x - pad, y - pad, 1, 1);
    }
    return ink;
}

// Lays the text's lines out in s->place at an alignment, each line aligned
// on its own as the platform draws them.
void layOut(const QFont& font, const QString& text, Qt::Alignment align, Qt::LayoutDirection dir, Shown* s)
{
    const QFontMetrics fm(font);
    const QStringList lines = plainLines(text).split(QLatin1Char('\n'));
    s->widest = 0;
    for (const QString& line : lines)
        s->widest = std::max(s->widest, fm.horizontalAdvance(line));
    const QSize size(s->widest, fm.height() + int(lines.size() - 1) * fm.lineSpacing());
    s->block = QStyle::alignedRect(dir, align, size, s->place);
    const Qt::Alignment h = QStyle::visualAlignment(dir, align) & Qt::AlignHorizontal_Mask;
    s->ink = QRect();
    s->starts.clear();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int advance = fm.horizontalAdvance(lines[i]);
        const int x = h & Qt::AlignRight     ? s->place.right() + 1 - advance
                      : h & Qt::AlignHCenter ? s->place.left() + (s->place.width() - advance) / 2
                                             : s->place.left();
        s->starts.append(QPoint(x, s->block.top() + int(i) * fm.lineSpacing()));
        s->ink |= inkOf(font, lines[i]).translated(s->starts.last());
    }
    s->drawn = s->ink.isEmpty() ? s->block : s->ink;
}

QString describe(const QWidget* control)
{
    QString name = QString::fromLatin1(control->metaObject()->className());
    name = name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
    const QRect g(control->mapTo(control->window(), QPoint(0, 0)), control->size());
    QString where = QStringLiteral("%1 at %2,%3 %4x%5").arg(name).arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
    for (const QWidget* p = control->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (const auto* frame = qobject_cast<const QGroupBox*>(p); frame && !frame->title().isEmpty())
            return where + QStringLiteral(" in \"") + frame->title() + QLatin1Char('"');
    return where;
}

Shown labelShown(const QLabel* label, const QString& text)
{
    const QFontMetrics fm = label->fontMetrics();
    Shown s;
    s.place = label->contentsRect();
    const int m = label->margin();
    s.place.adjust(m, m, -m, -m);
    const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0)
        indent = fm.horizontalAdvance(QLatin1Char('x')) / 2;
    if (indent > 0) {
        if (align & Qt::AlignLeft) s.place.setLeft(s.place.left() + indent);
        if (align & Qt::AlignRight) s.place.setRight(s.place.right() - indent);
        if (align & Qt::AlignTop) s.place.setTop(s.place.top() + indent);
        if (align & Qt::AlignBottom) s.place.setBottom(s.place.bottom() - indent);
    }
    s.clip = label->rect();
    layOut(label->font(), text, label->alignment(), label->layoutDirection(), &s);
    if (label->wordWrap())
        s.overflow = QStringLiteral("a line wraps");
    if (label->autoFillBackground() || label->frameWidth() > 0)
        s.drawn = label->rect();
    return s;
}

Shown buttonShown(const QAbstractButton* button, const QString& text)
{
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = text;
    QStyle* style = button->style();
    Shown s;
    if (qobject_cast<const QPushButton*>(button)) {
        // Centred inside the bevel.
        s.place = s.clip = style->subElementRect(QStyle::SE_PushButtonContents, &opt, button);
        layOut(button->font(), text, Qt::AlignCenter, button->layoutDirection(), &s);
        s.drawn = button->rect();
        return s;
    }
    // Beside the indicator; only the control's own edge cuts the caption.
    const bool radio = qobject_cast<const QRadioButton*>(button) != nullptr;
    s.place = style->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &opt, button);
    s.clip = button->rect();
    layOut(button->font(), text, Qt::AlignLeft | Qt::AlignVCenter, button->layoutDirection(), &s);
    const int indicator = style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorHeight : QStyle::PM_IndicatorHeight, &opt, button);
    s.drawn = s.drawn.united(QRect(0, (button->height() - indicator) / 2, 1, indicator));
    return s;
}

Shown comboShown(const QComboBox* combo, const QString& item)
{
    QStyleOptionComboBox opt;
    opt.initFrom(combo);
    opt.editable = combo->isEditable();
    opt.frame = combo->hasFrame();
    opt.currentText = item;
    opt.subControls = QStyle::SC_All;
    Shown s;
    // The chosen item: one pixel into the edit field, cut at its edge.
    s.clip = combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
    s.place = s.clip.adjusted(1, 0, -1, 0);
    layOut(combo->font(), item, Qt::AlignLeft | Qt::AlignVCenter, combo->layoutDirection(), &s);
    s.drawn = combo->rect();
    return s;
}

Shown listShown(const QAbstractItemView* list, const QString& item)
{
    QStyle* style = list->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    Shown s;
    s.place = list->contentsRect();
    // A list that may get a vertical scroll bar shows its items beside it.
    if (list->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        s.place.setRight(s.place.right() - style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list->verticalScrollBar()));
    s.place.adjust(margin, 0, -margin, 0);
    layOut(list->font(), item, Qt::AlignLeft | Qt::AlignTop, list->layoutDirection(), &s);
    // An item is a row of its own: only its width is the list's to give.
    s.clip = s.place.united(s.ink);
    s.clip.setLeft(s.place.left());
    s.clip.setRight(s.place.right());
    s.overflow = QStringLiteral("the list scrolls sideways");
    s.drawn = list->rect();
    return s;
}

Shown lineEditShown(const QLineEdit* edit, const QString& text)
{
    QStyleOptionFrame opt;
    opt.initFrom(edit);
    opt.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    Shown s;
    s.clip = edit->style()->subElementRect(QStyle::SE_LineEditContents, &opt, edit).marginsRemoved(edit->textMargins());
    s.place = s.clip.adjusted(2, 0, -2, 0);  // the line edit's own margin on either side
    layOut(edit->font(), text, edit->alignment(), edit->layoutDirection(), &s);
    s.overflow = QStringLiteral("the text scrolls");
    s.drawn = edit->rect();
    return s;
}

QStyleOptionGroupBox groupBoxOption(const QGroupBox* frame)
{
    QStyleOptionGroupBox opt;
    opt.initFrom(frame);
    opt.text = frame->title();
    opt.lineWidth = 1;
    opt.midLineWidth = 0;
    opt.textAlignment = frame->alignment();
    opt.subControls = QStyle::SC_GroupBoxFrame;
    if (!frame->title().isEmpty())
        opt.subControls |= QStyle::SC_GroupBoxLabel;
    if (frame->isCheckable())
        opt.subControls |= QStyle::SC_GroupBoxCheckBox;
    opt.features = frame->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    return opt;
}

// A frame drawn with its border and title; a flat frame without a title
// holds its controls as a plain container does.
bool drawsBorder(const QGroupBox* frame)
{
    return !(frame->isFlat() && frame->title().isEmpty());
}

Shown groupBoxShown(const QGroupBox* frame, const QString& title)
{
    QStyleOptionGroupBox opt = groupBoxOption(frame);
    opt.text = title;
    Shown s;
    // The title's own place, as wide as the style makes it; the frame cuts it.
    s.place = frame->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, frame);
    s.clip = frame->rect();
    layOut(frame->font(), title, Qt::AlignLeft | Qt::AlignVCenter, frame->layoutDirection(), &s);
    s.drawn = drawsBorder(frame) ? frame->rect() : s.ink;
    return s;
}

bool shownOf(const QWidget* control, const QString& text, Shown* s)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        *s = labelShown(label, text);
    else if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        *s = buttonShown(button, text);
    else if (const auto* combo = qobject_cast<const QComboBox*>(control))
        *s = comboShown(combo, text);
    else if (const auto* list = qobject_cast<const QAbstractItemView*>(control))
        *s = listShown(list, text);
    else if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        *s = lineEditShown(edit, text);
    else if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        *s = groupBoxShown(frame, text);
    else
        return false;
    return true;
}

QString quoted(const QString& text)
{
    return QLatin1Char('"') + plainLines(text).replace(QLatin1Char('\n'), QStringLiteral("\\n")) + QLatin1Char('"');
}

QString rectText(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The part of a control that hides what lies below it: a transparent label
// hides only its text, a frame its border and title, any other control all
// of itself.
QRect coverOf(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->autoFillBackground() || label->frameWidth() > 0 || !label->pixmap().isNull())
            return label->rect();
        return label->text().isEmpty() ? QRect() : labelShown(label, label->text()).ink;
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(w); frame && !frame->autoFillBackground())
        return drawsBorder(frame) ? frame->rect() : QRect();
    return w->rect();
}

// For a frame's own controls: the area inside its border and below its
// title, as the style lays it out, and the title.
bool innerArea(const QWidget* container, QRect* inner, QRect* title)
{
    *title = QRect();
    const auto* frame = qobject_cast<const QGroupBox*>(container);
    if (!frame || !drawsBorder(frame)) {
        *inner = container->rect();
        return false;
    }
    const QStyleOptionGroupBox opt = groupBoxOption(frame);
    QStyle* style = frame->style();
    *inner = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxContents, frame);
    if (!frame->title().isEmpty())
        *title = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, frame);
    return true;
}

// What the control paints must lie inside its container (inside a frame's
// border, clear of its title) and no control stacked above may cover it.
void checkPlace(const QWidget* control, const QRect& drawn, QStringList* problems)
{
    const QWidget* parent = control->parentWidget();
    if (!parent || control->isWindow() || drawn.isEmpty())
        return;
    const QRect inParent = drawn.translated(control->pos());
    QRect inner, title;
    const bool frame = innerArea(parent, &inner, &title);
    if (!inner.contains(inParent))
        problems->append(QStringLiteral("%1: reaches past %2 (%3 against %4)")
                             .arg(describe(control), frame ? QStringLiteral("the frame's border") : QStringLiteral("its container"),
                                  rectText(inParent), rectText(inner)));
    if (title.intersects(inParent))
        problems->append(describe(control) + QStringLiteral(": lies on the frame's title"));

    // Controls stacked above it: later siblings of the control and of each
    // of its containers.
    for (const QWidget* w = control; w->parentWidget() && !w->isWindow(); w = w->parentWidget()) {
        const QWidget* container = w->parentWidget();
        const QRect area(control->mapTo(container, drawn.topLeft()), drawn.size());
        const QObjectList& siblings = container->children();
        for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(w)) + 1; i < siblings.size(); ++i) {
            const auto* above = qobject_cast<const QWidget*>(siblings[i]);
            if (!above || above->isWindow() || above->isHidden())
                continue;
            if (coverOf(above).translated(above->pos()).intersects(area))
                problems->append(describe(control) + QStringLiteral(": covered by ") + describe(above));
        }
    }
}

// Parts of compound controls (a combo box's popup, a list's scroll bars)
// are checked with their owner.
bool isPart(const QWidget* w, const QWidget* window)
{
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractScrollArea*>(p) || p->isWindow())
            return true;
    return false;
}

}  // namespace

QStringList textFitProblems(const QWidget* control, const QString& text)
{
    QStringList problems;
    Shown s;
    if (text.isEmpty() || !shownOf(control, text, &s))
        return problems;
    const QString what = describe(control) + QStringLiteral(": ") + quoted(text);
    if (!s.overflow.isEmpty() && s.widest > s.place.width())
        problems.append(what + QStringLiteral(" needs %1 px wide, has %2 (%3)").arg(s.widest).arg(s.place.width()).arg(s.overflow));
    else if (s.ink.left() < s.clip.left() || s.ink.right() > s.clip.right())
        problems.append(what + QStringLiteral(" paints columns %1 to %2, shows %3 to %4")
                                   .arg(s.ink.left()).arg(s.ink.right()).arg(s.clip.left()).arg(s.clip.right()));
    if (s.ink.top() < s.clip.top() || s.ink.bottom() > s.clip.bottom())
        problems.append(what + QStringLiteral(" paints rows %1 to %2, shows %3 to %4")
                                   .arg(s.ink.top()).arg(s.ink.bottom()).arg(s.clip.top()).arg(s.clip.bottom()));
    if (!qobject_cast<const QGroupBox*>(control))
        checkPlace(control, s.drawn, &problems);
    return problems;
}

QStringList windowFitProblems(const QWidget* window)
{
    QStringList problems;
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    for (const QWidget* w : all) {
        if (!w->isVisibleTo(window) || isPart(w, window))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            problems += textFitProblems(w, label->text());
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            problems += textFitProblems(w, button->text());
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
            problems += textFitProblems(w, edit->text());
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(w)) {
            problems += textFitProblems(w, frame->title());
            checkPlace(w, groupBoxShown(frame, frame->title()).drawn, &problems);
        } else if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                problems += textFitProblems(w, combo->itemText(i));
            checkPlace(w, w->rect(), &problems);
        } else if (const auto* list = qobject_cast<const QListWidget*>(w)) {
            for (int i = 0; i < list->count(); ++i)
                problems += textFitProblems(w, list->item(i)->text());
            checkPlace(w, w->rect(), &problems);
        }
    }
    problems.removeDuplicates();
    return problems;
}

QStringList captionOverBoxesProblems(const QLabel* label, const QList<const QWidget*>& boxes)
{
    QStringList problems;
    const QString text = label->text();
    const Shown s = labelShown(label, text);
    const QFontMetrics fm(label->font());
    qsizetype box = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isSpace())
            continue;
        const QRect ink = inkOf(label->font(), text.mid(i, 1))
                              .translated(s.starts.value(0) + QPoint(fm.horizontalAdvance(text.left(i)), 0))
                              .translated(label->mapTo(label->window(), QPoint(0, 0)));
        if (box >= boxes.size()) {
            problems.append(describe(label) + QStringLiteral(": \"") + text.at(i) + QStringLiteral("\" has no box"));
            break;
        }
        const QWidget* under = boxes[box++];
        const int left = under->mapTo(under->window(), QPoint(0, 0)).x();
        if (ink.left() < left || ink.right() > left + under->width() - 1)
            problems.append(describe(label) + QStringLiteral(": \"") + text.at(i) +
                            QStringLiteral("\" paints columns %1 to %2, its box %3 takes %4 to %5")
                                .arg(ink.left()).arg(ink.right()).arg(describe(under)).arg(left)
                                .arg(left + under->width() - 1));
    }
    return problems;
}

::testing::AssertionResult showsWhole(const QStringList& problems)
{
    if (problems.isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\n  " << problems.join(QStringLiteral("\n  ")).toStdString();
}

void saveScreenshot(QWidget* window, const QString& name)
{
    const QString folder = qEnvironmentVariable("SUITE_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

}  // namespace testing_support
