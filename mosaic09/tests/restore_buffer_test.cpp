// Edition 0.9's restore buffer never shows a later change of the working
// picture, and its effects reuse the buffers it gives up.
#include "mosaic09/form1.h"
#include "mosaic/tests/loaded_window.h"

#include "mosaic/effects.h"
#include "platform/testing/window_helpers.h"

#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <set>

using mosaic09::Form1;

namespace {

using LoadedForm = LoadedWindow<mosaic09::Form1>;

}  // namespace

TEST(RestoreBuffer, KeepsThePictureOfTheLastBackupApart)
{
    LoadedForm f;
    Form1& w = f.form;
    const QImage start = w.Picture1->image().copy();
    // Painted without a backup: the restore point still holds the start picture.
    w.Picture1->line(0, 0, 100, 100, 0xFF0000);
    w.Picture1->pset(3, 3, 0x00FF00);
    EXPECT_EQ(w.Picture2.image(), start);
    w.Command4_Click();
    EXPECT_EQ(w.Picture1->image(), start);

    const QString file = f.dir.filePath("photo.png");
    ASSERT_TRUE(testing_support::patternImage(90, 70).save(file));
    testing_support::dropUrls(w.Picture1, {QUrl::fromLocalFile(file)});
    const QImage dropped = w.Picture1->image().copy();
    EXPECT_EQ(w.Picture2.image(), dropped);

    std::set<const uchar*> buffers;
    QImage before;
    for (int i = 0; i < 8; ++i) {
        before = w.Picture1->image().copy();
        const QImage held = w.Picture1->image();
        if (i % 4 == 3) {
            w.pickedColor = w.Picture1->point(10, 10);
            w.Command3_Click();
        } else {
            w.Command5_Click(i % 6);
        }
        EXPECT_EQ(held, before);  // a copy handed out before stays
        EXPECT_EQ(w.Picture2.image(), before) << i;
        buffers.insert(w.Picture1->image().constBits());
        // A change after the backup does not reach the restore point.
        w.Picture1->pset(1, 1, 0x123456);
        EXPECT_EQ(w.Picture2.image(), before) << i;
    }
    // The picture, the restore point and one spare take turns.
    EXPECT_LE(buffers.size(), 3u);
    EXPECT_LE(w.Picture2.heldBytes(), 2 * w.Picture1->image().sizeInBytes());

    // Restore twice: the same picture, and painting it leaves the restore point.
    for (int i = 0; i < 2; ++i) {
        w.Command4_Click();
        EXPECT_EQ(w.Picture1->image(), before);
        w.Picture1->line(0, 5, 80, 5, 0x0000FF);
        EXPECT_EQ(w.Picture2.image(), before);
    }
}
