#include "compdraw/avatar_cache.h"

#include "build_settings.h"

#include <QDir>
#include <QRegularExpression>

namespace compdraw {

bool isWcaId(const QString& id)
{
    static const QRegularExpression form(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{4}[A-Z]{4}[0-9]{2}")));
    return form.match(id).hasMatch();
}

QString defaultAvatarBase()
{
    return QStringLiteral("HTTPS://") + QStringLiteral(SUITE_WCA_HOST);
}

QString avatarAddress(const QString& avatarBase, const QString& id)
{
    return avatarBase + QStringLiteral("/results/upload/a") + id + QStringLiteral(".jpg");
}

QString avatarCachePath(const QString& folder, const QString& id)
{
    return QDir(folder).filePath(QStringLiteral("DATA/") + id + QStringLiteral(".jpg"));
}

QString progressText(int done, int total)
{
    const double share = total > 0 ? 100.0 * done / total : 0.0;
    return QStringLiteral("正在获取...") + QString::number(share, 'f', 2) + u'%';
}

}  // namespace compdraw
