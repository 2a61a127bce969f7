#include "platform/time_text.h"

namespace platform {

QString timeText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString stampName(const QDateTime& when)
{
    return when.toString(QStringLiteral("MMddyyyyHHmmss"));
}

QString toFullWidth(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ')
            out += QChar(0x3000);
        else if (u >= 0x21 && u <= 0x7E)
            out += QChar(char16_t(u + 0xFEE0));
        else
            out += c;
    }
    return out;
}

}  // namespace platform
