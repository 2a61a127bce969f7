// Multi-line text box with a vertical scroll bar whose text keeps CR LF line
// breaks, as the winners text is written.
#pragma once

#include <QPlainTextEdit>

namespace threaddraw {

class MultiLineBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MultiLineBox(QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);
    // Caret to the end of the text.
    void moveCaretToEnd();
};

}  // namespace threaddraw
