#include "mosaic/undo_history.h"

#include "mosaic/effects.h"
#include "mosaic/memory_budget.h"
#include "mosaic/tests/loaded_form.h"
#include "platform/testing/child_process.h"
#include "platform/testing/file_size_limit.h"
#include "platform/testing/random_image.h"
#include "platform/testing/window_helpers.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace mosaic;

namespace {

QImage picture(int n)
{
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(qRgb(n, 0, 0));
    return img;
}

}  // namespace

TEST(UndoHistory, HundredSlotsWithShift)
{
    UndoHistory h;
    h.reset(picture(0));
    for (int n = 1; n <= 99; ++n)
        h.push(picture(n));
    EXPECT_EQ(h.undoIndex, 99);
    EXPECT_EQ(h.slot(0), picture(0));
    EXPECT_EQ(h.slot(99), picture(99));
    // The 100th push drops the start picture.
    h.push(picture(100));
    EXPECT_EQ(h.undoIndex, 99);
    EXPECT_EQ(h.slot(0), picture(1));
    EXPECT_EQ(h.slot(98), picture(99));
    EXPECT_EQ(h.newest(), picture(100));
    for (int i = 0; i < 120; ++i)
        h.stepBack();
    EXPECT_EQ(h.undoIndex, 0);
    EXPECT_EQ(h.newest(), picture(1));
}

TEST(UndoHistory, PushAfterUndoOverwritesAndSharesPixels)
{
    UndoHistory h;
    h.reset(picture(0));
    h.push(picture(1));
    h.push(picture(2));
    h.stepBack();  // restored 2, index 1
    h.push(picture(3));
    EXPECT_EQ(h.undoIndex, 2);
    EXPECT_EQ(h.newest(), picture(3));
    h.stepBack();
    EXPECT_EQ(h.newest(), picture(1));

    // Snapshots share the picture's pixels; the shift moves them, it does not copy.
    const QImage same = picture(9);
    h.reset(same);
    for (int n = 0; n < 99; ++n)
        h.push(n == 50 ? picture(50) : same);
    const uchar* kept = h.slot(50).constBits();
    h.push(same);
    EXPECT_EQ(h.slot(49).constBits(), kept);
    EXPECT_EQ(h.slot(0).constBits(), same.constBits());
    EXPECT_EQ(h.slot(99).constBits(), same.constBits());
}

TEST(UndoHistory, WithNowhereToStoreOnlyTheOldestStepsGo)
{
    // The temporary folder is missing, or the disk is full after 4 KB.
    for (const bool full : {false, true}) {
        QTemporaryDir dir;
        platform::PictureBox box;
        box.setImage(testing_support::randomImage(200, 150, 1));
        UndoHistory h;
        h.watch(&box);
        h.reset();
        const qint64 picture = box.image().sizeInBytes();
        h.setMemoryBudget(3 * picture + picture / 2);
        h.setStoreFolder(full ? dir.path() : dir.filePath("missing"));
        std::vector<QImage> shots{box.image().copy()};
        {
            std::unique_ptr<testing_support::FileSizeLimit> limit;
            if (full)
                limit = std::make_unique<testing_support::FileSizeLimit>(4096);
            for (int n = 0; n < 12; ++n) {
                h.push();
                shots.push_back(box.image().copy());
                box.setImage(testing_support::randomImage(200, 150, 2 + n));
                h.settle();
                ASSERT_LE(h.snapshotBytes(), h.memoryBudget()) << full << " " << n;
                ASSERT_GE(h.undoIndex, 1);
            }
        }
        EXPECT_EQ(h.storedBytes(), 0);
        EXPECT_EQ(h.undoIndex, 2) << full;  // three pictures fit, in slots 0 to 2
        // What is kept are the newest snapshots, and undo gives them back.
        for (int k = h.undoIndex; k >= 0; --k) {
            const QImage& expected = shots[shots.size() - size_t(h.undoIndex) - 1 + size_t(k)];
            ASSERT_EQ(h.slot(k), expected) << full << " slot " << k;
        }
        for (size_t k = shots.size() - 1; k + 3 > shots.size(); --k) {
            ASSERT_TRUE(h.restoreNewest());
            EXPECT_EQ(box.image(), shots[k]) << full << " undo to " << k;
            h.stepBack();
        }
    }
}

#if !defined(__SANITIZE_ADDRESS__)
// Not under the sanitizers: they reserve more address space than any limit.
namespace {

size_t pixelHash(const QImage& image)
{
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(image.constBits()), size_t(image.sizeInBytes())));
}

}  // namespace

TEST(UndoHistory, HundredClicksOnAPhotoWhoseSnapshotsDoNotFitInMemory)
{
    LoadedForm f;
    Form1& w = f.form;
    w.Picture1->setImage(testing_support::randomImage(4000, 3000, 9));
    w.writeBackingCopy();
    w.saveUndo();  // as after a drop
    w.undoHistory.settle();  // no worker thread is left for the child, which has none
    const qint64 picture = w.Picture1->image().sizeInBytes();

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // 2 GB more than the process uses now: 100 snapshots need 4.8 GB.
        if (!testing_support::limitAddressSpace(rlim_t{2} << 30))
            _exit(10);
        w.undoHistory.setMemoryBudget(historyMemoryBudget());
        testing_support::MessageRecorder boxes;
        std::vector<size_t> before;
        for (int n = 0; n < UndoHistory::kSlots; ++n) {
            before.push_back(pixelHash(w.Picture1->image()));
            w.Command5_Click(n % kEffects);
            QCoreApplication::processEvents();
            w.undoHistory.settle();
            if (!boxes.texts.isEmpty()) {
                std::fprintf(stderr, "click %d: %s\n", n, qPrintable(boxes.texts[0]));
                _exit(1);
            }
            if (w.undoHistory.snapshotBytes() > w.undoHistory.memoryBudget()) {
                std::fprintf(stderr, "click %d: %lld bytes in memory\n", n, w.undoHistory.snapshotBytes());
                _exit(2);
            }
        }
        if (w.undoHistory.storedBytes() < 50 * picture)
            _exit(3);
        for (int n = UndoHistory::kSlots - 1; n >= 0; --n) {
            w.Command4[n % 2]->click();
            if (pixelHash(w.Picture1->image()) != before[size_t(n)] || !boxes.texts.isEmpty()) {
                std::fprintf(stderr, "undo to %d differs\n", n);
                _exit(4);
            }
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_TRUE(testing_support::waitForChild(child, status)) << "the clicks did not end";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(UndoHistory, AnUndoWithoutMemoryForTheWrittenPictureChangesNothing)
{
    LoadedForm f;
    Form1& w = f.form;
    // 24 MP: more than a thread's memory arena, which may hand out what it
    // reserved without asking the system.
    w.Picture1->setImage(testing_support::randomImage(6000, 4000, 5));
    w.writeBackingCopy();
    w.saveUndo();
    w.undoHistory.setMemoryBudget(0);
    const QImage photo = w.Picture1->image().copy();
    // The photo is written out; a small picture dropped after it leaves no
    // buffer of the photo's size at hand.
    w.saveUndo();
    w.Picture1->setImage(testing_support::randomImage(40, 30, 6));
    w.writeBackingCopy();
    w.undoHistory.settle();
    ASSERT_GE(w.undoHistory.storedBytes(), photo.sizeInBytes());
    const QImage small = w.Picture1->image().copy();

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // Room for 20 MB more than now; the photo needs 96 MB.
        if (!testing_support::limitAddressSpace(rlim_t{20} << 20))
            _exit(10);
        testing_support::MessageRecorder boxes;
        const int16_t index = w.undoHistory.undoIndex;
        w.Command4[0]->click();
        if (boxes.texts != QStringList{QString::fromUtf8("图片太大，内存不足")})
            _exit(1);
        if (w.Picture1->image() != small || w.PicBACK->image() != small || w.undoHistory.undoIndex != index)
            _exit(2);
        // With memory again the undo gives the photo back.
        const rlimit none{RLIM_INFINITY, RLIM_INFINITY};
        setrlimit(RLIMIT_AS, &none);
        w.Command4[0]->click();
        _exit(w.Picture1->image() == photo && w.undoHistory.undoIndex == index - 1 ? 0 : 3);
    }
    int status = 0;
    ASSERT_TRUE(testing_support::waitForChild(child, status)) << "the undo did not end";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
#endif
