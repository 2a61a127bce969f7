// The author profile: addresses of the panel data, home and profile pages,
// and the values cut from each page's cleaned text.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace threaddraw {

// The ID percent-encoded as UTF-8, so that no character of it changes the
// request (blank, "&", "#", "/").
QString encodeId(const QString& id);
QString panelAddress(const QString& webBase, const QString& id);
QString homeAddress(const QString& webBase, const QString& id);
QString profileAddress(const QString& profileBase, const QString& id);

// The page as one line: double quotes, tabs, CR LF, CR and LF removed.
QString cleanPage(const QString& page);

// From the cleaned panel data page: the avatar address, and the lines
// "基本资料：…", "粉丝：…", "关注：…".
QString avatarAddress(const QString& page);
QStringList panelLines(const QString& page);
// From the cleaned home page: "吧龄：…年" and "发贴：…".
QStringList homeLines(const QString& page);
// The followed forums, "[level]name", dealt to the three columns in turn.
std::array<QStringList, 3> forumColumns(const QString& page);
// From the cleaned profile page: one line per field present, in table order.
QStringList profileFieldLines(const QString& page);

// Top of the forum columns: the bottom of the profile text, but not above
// 3420 twips.
double columnTop(double profileTextBottom);

}  // namespace threaddraw
