// Whether the texts of a window show whole: each text measured in its
// control's own font against the room the control's style gives it.
#pragma once

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

class QLabel;
class QWidget;

namespace testing_support {

// What keeps a text from showing whole in a control, as the control shows
// it: a label's caption (every line as written, none wrapped or cut), a
// button's, check box's or option button's caption beside its indicator, a
// frame's title, a text box's text, a combo box item in the box (left of the
// arrow), a list item in the list (beside a vertical scroll bar that may
// come). Also a text that reaches past its container's inner area, or that a
// control stacked above it covers. Empty when the text shows whole.
QStringList textFitProblems(const QWidget* control, const QString& text);

// textFitProblems for every text that the window's visible controls hold
// now: captions, titles, text box texts, and every item of every combo box
// and list.
QStringList windowFitProblems(const QWidget* window);

// Whether each glyph of a one-line caption stands over its box: the pixels
// of its n-th glyph other than blanks lie within the columns of the n-th box
// (window coordinates). Empty when they all do.
QStringList captionOverBoxesProblems(const QLabel* label, const QList<const QWidget*>& boxes);

// Success when there are no problems; else each problem on a line of its own.
::testing::AssertionResult showsWhole(const QStringList& problems);

// Saves a picture of the window as <name>.png in the folder named by the
// environment variable SUITE_SCREENSHOTS, when it is set; else does nothing.
void saveScreenshot(QWidget* window, const QString& name);

}  // namespace testing_support
