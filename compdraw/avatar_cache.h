// The avatar cache: one picture file per WCA ID in the folder DATA of the
// program folder, fetched from the WCA results site.
#pragma once

#include <QString>

namespace compdraw {

// True for an ID of the WCA form: four digits, four capital letters, two
// digits. Only such IDs are fetched and saved, so an ID never leads a file
// outside DATA nor changes the address beyond its file name.
bool isWcaId(const QString& id);

// Start of the avatar address: "HTTPS://" and the results host of the build.
QString defaultAvatarBase();

// avatarBase + "/results/upload/a" + ID + ".jpg".
QString avatarAddress(const QString& avatarBase, const QString& id);

// The cache file of an ID: the program folder, "DATA", ID + ".jpg".
QString avatarCachePath(const QString& folder, const QString& id);

// "正在获取..." and done / total as a percentage with two decimals.
QString progressText(int done, int total);

}  // namespace compdraw
