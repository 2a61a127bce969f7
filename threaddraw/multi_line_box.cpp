#include "threaddraw/multi_line_box.h"

namespace threaddraw {

MultiLineBox::MultiLineBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

QString MultiLineBox::text() const
{
    QString t = toPlainText();
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

void MultiLineBox::setText(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(t);
}

void MultiLineBox::moveCaretToEnd()
{
    moveCursor(QTextCursor::End);
}

}  // namespace threaddraw
