#include "threaddraw/profile.h"

#include "threaddraw/markers.h"

#include <QUrl>

namespace threaddraw {

QString encodeId(const QString& id)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(id));
}

QString panelAddress(const QString& webBase, const QString& id)
{
    return webBase + QStringLiteral("/i/data/panel?un=") + encodeId(id) + QStringLiteral("&ie=utf-8&fr=pb");
}

QString homeAddress(const QString& webBase, const QString& id)
{
    return webBase + QStringLiteral("/home/main?un=") + encodeId(id) + QStringLiteral("&ie=utf-8&fr=pb");
}

QString profileAddress(const QString& profileBase, const QString& id)
{
    return profileBase + QStringLiteral("/p/") + encodeId(id) + QStringLiteral("/detail");
}

QString cleanPage(const QString& page)
{
    QString text = page;
    text.remove(QLatin1Char('"'));
    text.remove(QLatin1Char('\t'));
    text.remove(QStringLiteral("\r\n"));
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

QString avatarAddress(const QString& page)
{
    return GetByDiv(page, QStringLiteral("head_img src="), QStringLiteral(" ><"));
}

QStringList panelLines(const QString& page)
{
    return {QStringLiteral("基本资料：") + GetByDiv(page, QStringLiteral("person_info>"), QStringLiteral("</div>")),
            QStringLiteral("粉丝：") + GetByDiv(page, QStringLiteral("/fans>"), QStringLiteral("<")),
            QStringLiteral("关注：") + GetByDiv(page, QStringLiteral("/concern>"), QStringLiteral("<"))};
}

QStringList homeLines(const QString& page)
{
    return {QStringLiteral("吧龄：") + GetByDiv(page, QStringLiteral("吧龄:"), QStringLiteral("年")) + QStringLiteral("年"),
            QStringLiteral("发贴：") + GetByDiv(page, QStringLiteral("发贴:"), QStringLiteral("<"))};
}

std::array<QStringList, 3> forumColumns(const QString& page)
{
    std::array<QStringList, 3> columns;
    const QStringList pieces = page.split(QStringLiteral("forum_name"));
    const qsizetype last = pieces.size() - 1;
    for (qsizetype i = 1; i <= last; ++i) {
        const QString& piece = pieces[i];
        columns[size_t((i - 1) % 3)] << QStringLiteral("[") +
                                            GetByDiv(piece, QStringLiteral("level_id:"), QStringLiteral(",")) +
                                            QStringLiteral("]") + GetByDiv(piece, QStringLiteral(":"), QStringLiteral(","));
    }
    return columns;
}

QStringList profileFieldLines(const QString& page)
{
    static const QString kCnt = QStringLiteral("</span> <span class=profile-cnt>");
    static const QString kSpan = QStringLiteral("</span> <span>");
    static const QString kTight = QStringLiteral("</span><span>");
    static const std::array<std::pair<QString, const QString*>, 14> fields = {{
        {QStringLiteral("生日"), &kCnt},     {QStringLiteral("血型"), &kCnt},     {QStringLiteral("个人简介"), &kCnt},
        {QStringLiteral("出生地"), &kCnt},   {QStringLiteral("居住地"), &kCnt},   {QStringLiteral("联系方式"), &kSpan},
        {QStringLiteral("体型"), &kSpan},    {QStringLiteral("婚姻状态"), &kSpan}, {QStringLiteral("个人习惯"), &kSpan},
        {QStringLiteral("教育程度"), &kSpan}, {QStringLiteral("当前职业"), &kSpan}, {QStringLiteral("大学"), &kTight},
        {QStringLiteral("高中"), &kTight},   {QStringLiteral("性格"), &kSpan},
    }};
    QStringList lines;
    for (const auto& [field, tail] : fields) {
        if (page.contains(QStringLiteral("profile-attr>") + field))
            lines << field + QStringLiteral("：") + GetByDiv(page, field + *tail, QStringLiteral("</span>"));
    }
    return lines;
}

double columnTop(double profileTextBottom)
{
    return profileTextBottom > 3420 ? profileTextBottom : 3420;
}

}  // namespace threaddraw
