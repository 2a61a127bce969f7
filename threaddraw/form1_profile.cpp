// The author profile fetch of the thread draw's window: panel data, home page
// and profile page, one after the other, each waiting with events running.
#include "threaddraw/form1.h"
#include "threaddraw/page_fetch.h"
#include "threaddraw/profile.h"

#include "platform/http_request.h"
#include "platform/picture_loader.h"
#include "platform/time_text.h"

#include <QPixmap>

namespace threaddraw {

void Form1::appendLine(platform::Label* label, const QString& line)
{
    label->setCaption(label->caption() + QStringLiteral("\r\n") + line);
}

void Form1::fitHeight(platform::Label* label)
{
    const int h = label->heightForWidth(label->width());
    label->resize(label->width(), h > 0 ? h : label->sizeHint().height());
}

void Form1::fitLabel2()
{
    fitHeight(Label2);
}

QString Form1::cleanedPage(const QString& url)
{
    const Page page = GetPage(url, pageRule());
    return page.failed ? QString() : cleanPage(page.text);
}

void Form1::fetchProfile()
{
    // A second fetch while one waits would write into the same panel.
    if (profiling_)
        return;
    profiling_ = true;
    Image1->setPixmap(QPixmap());
    Label3[0]->setCaption(QStringLiteral("关注的吧："));
    Label3[1]->setCaption(QString());
    Label3[2]->setCaption(QString());
    for (platform::Label* column : Label3)
        fitHeight(column);

    platform::HttpRequest panel(pageRule());
    panel.open(QStringLiteral("get"), panelAddress(settings.webBase, Text3->text()));
    panel.send();
    Label2->setCaption(platform::timeText() + QStringLiteral(" 获取[") + Text3->text() + QStringLiteral("]的详细资料"));
    fitLabel2();
    panel.waitUntilDone();

    if (!panel.failed()) {
        QString page = cleanPage(panel.responseText());

        // Only web addresses: a page must not make us read local files.
        const QString avatar = avatarAddress(page);
        if (avatar.startsWith(QStringLiteral("http://")) || avatar.startsWith(QStringLiteral("https://"))) {
            const QImage image = platform::LoadPicture(avatar, nullptr, pictureRule());
            if (!image.isNull())
                Image1->setPixmap(QPixmap::fromImage(image));
        }
        for (const QString& line : panelLines(page))
            appendLine(Label2, line);

        page = cleanedPage(homeAddress(settings.webBase, Text3->text()));
        for (const QString& line : homeLines(page))
            appendLine(Label2, line);
        const std::array<QStringList, 3> columns = forumColumns(page);
        for (size_t c = 0; c < 3; ++c)
            for (const QString& entry : columns[c])
                appendLine(Label3[c], entry);

        page = cleanedPage(profileAddress(settings.profileBase, Text3->text()));
        for (const QString& line : profileFieldLines(page))
            appendLine(Label2, line);
        fitLabel2();

        // The columns' rule holds on the window: the panel's top is added
        // and taken off again.
        const double bottom = double(Label2->y() + Label2->height()) * platform::kTwipsPerPixel + Panel->topTwips();
        const int top = platform::twipsToPixels(int(columnTop(bottom)) - Panel->topTwips());
        for (platform::Label* column : Label3)
            column->move(column->x(), top);
    }
    appendLine(Label3[0], platform::timeText() + QStringLiteral(" ---资料获取结束---"));
    for (platform::Label* column : Label3)
        fitHeight(column);
    profiling_ = false;
}

}  // namespace threaddraw
