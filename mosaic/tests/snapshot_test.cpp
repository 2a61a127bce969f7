// The working picture, its undo snapshots and its backing copy never show
// each other's changes, whatever edits the window makes; full-picture steps
// take over buffers instead of copying pictures.
#include "mosaic/effects.h"
#include "mosaic/form1.h"
#include "mosaic/tests/loaded_form.h"
#include "platform/testing/window_helpers.h"

#include <QRandomGenerator>
#include <QUrl>
#include <gtest/gtest.h>

using namespace mosaic;

namespace {

// Whole copies of what each snapshot and the backing copy must hold,
// following the history's rules.
struct Expected {
    std::vector<QImage> shots{QImage()};
    QImage back;
    int index = 0;

    void push(const QImage& picture)
    {
        if (++index > UndoHistory::kSlots - 1) {
            index = UndoHistory::kSlots - 1;
            shots.erase(shots.begin());
        }
        shots.resize(size_t(index));
        shots.push_back(picture.copy());
    }
};

void check(Form1& w, const Expected& e, const QImage& held, const QImage& heldCopy, const char* step)
{
    ASSERT_EQ(w.undoHistory.undoIndex, e.index) << step;
    for (int k = 0; k <= e.index; ++k)
        ASSERT_EQ(w.undoHistory.slot(k), e.shots[size_t(k)]) << step << " slot " << k;
    ASSERT_EQ(w.PicBACK->image(), e.back) << step;
    ASSERT_EQ(held, heldCopy) << step;  // a copy handed out before the step
}

}  // namespace

TEST(Snapshots, NoEditShowsInTheSnapshotsOrTheBackingCopy)
{
    LoadedForm f;
    Form1& w = f.form;
    testing_support::MessageRecorder boxes;
    Expected e;
    e.shots[0] = w.Picture1->image().copy();
    e.back = w.PicBACK->image().copy();
    w.Option1[0]->click();  // the brush
    w.pickedColor = 0;
    w.Text4->setText("300");

    const QString file = f.dir.filePath("photo.png");
    ASSERT_TRUE(testing_support::randomImage(120, 90, 1).save(file));
    QImage held;
    QImage heldCopy;
    QRandomGenerator rng(5);
    for (int round = 0; round < 3; ++round) {
        held = w.Picture1->image();
        heldCopy = held.copy();
        testing_support::dropUrls(w.Picture1, {QUrl::fromLocalFile(file)});
        e.back = w.Picture1->image().copy();
        e.push(w.Picture1->image());
        check(w, e, held, heldCopy, "drop");

        for (int step = 0; step < 14; ++step) {
            held = w.Picture1->image();
            heldCopy = held.copy();
            const QImage before = w.Picture1->image().copy();
            const char* name = "";
            switch (step) {
            case 0:
            case 7:  // a brush stroke
                name = "stroke";
                w.Picture1_MouseDown(1, 0, rng.bounded(120), rng.bounded(90));
                for (int k = 0; k < 4; ++k)
                    w.Picture1_MouseMove(1, 0, rng.bounded(120), rng.bounded(90));
                w.Picture1_MouseUp(1, 0, 0, 0);
                e.push(before);
                e.back = w.Picture1->image().copy();
                break;
            case 1:  // pixels and lines painted without a snapshot
                name = "pset and line";
                w.Picture1->pset(3, 4, 0x00FF00);
                w.Picture1->line(0, 0, 119, 89, 0xFF0000);
                break;
            case 2:  // the replace leaves the backing copy
                name = "replace";
                w.Command3_Click();
                e.push(before);
                break;
            case 3:  // the tone curve rebuilds the picture from the backing copy
                name = "curve";
                w.picCurve_MouseDown(1, 0, 128, 127);
                w.picCurve_MouseMove(1, 0, 128, 60);
                w.picCurve_MouseUp(1, 0, 128, 60);
                break;
            case 4:  // the backing copy changed on its own never shows in the picture
                name = "backing copy";
                w.PicBACK->pset(5, 5, 0x0000FF);
                e.back = w.PicBACK->image().copy();
                ASSERT_EQ(w.Picture1->image(), before);
                break;
            case 5:
            case 11:
                name = "undo";
                w.Command4[step % 2]->click();
                ASSERT_EQ(w.Picture1->image(), e.shots[size_t(e.index)]);
                e.back = e.shots[size_t(e.index)];
                e.index = std::max(e.index - 1, 0);
                break;
            case 12: {  // a snapshot changed outside changes nothing
                name = "snapshot handed out";
                QImage outside = w.undoHistory.newest();
                outside.fill(Qt::black);
                break;
            }
            default:  // effects 0..6, the erase included
                name = "effect";
                w.Command5_Click(step == 6 ? kErase : (step + round) % kErase);
                e.push(before);
                e.back = w.Picture1->image().copy();
                break;
            }
            check(w, e, held, heldCopy, name);
        }
    }
    // Undo down to the start and beyond: index 0 keeps restoring slot 0.
    while (e.index > 0) {
        w.Command4[0]->click();
        ASSERT_EQ(w.Picture1->image(), e.shots[size_t(e.index)]);
        --e.index;
    }
    for (int i = 0; i < 2; ++i) {
        w.Command4[1]->click();
        EXPECT_EQ(w.Picture1->image(), e.shots[0]);
        EXPECT_EQ(w.PicBACK->image(), e.shots[0]);
        EXPECT_EQ(w.undoHistory.undoIndex, 0);
    }
    // The full end: presses past 100 snapshots drop the oldest.
    for (int n = 0; n < UndoHistory::kSlots + 5; ++n) {
        const QImage before = w.Picture1->image().copy();
        w.Picture1_MouseDown(1, 0, n, 10);
        w.Picture1_MouseMove(1, 0, n, 80);
        w.Picture1_MouseUp(1, 0, n, 80);
        e.push(before);
    }
    e.back = w.Picture1->image().copy();
    check(w, e, held, heldCopy, "full history");
    EXPECT_TRUE(boxes.texts.isEmpty());
}

TEST(Snapshots, FullPictureStepsTakeOverBuffers)
{
    LoadedForm f;
    Form1& w = f.form;
    w.Picture1->setImage(testing_support::randomImage(300, 200, 2));
    w.writeBackingCopy();
    // The replace paints into a result buffer: the picture's own buffer
    // becomes the snapshot as it is.
    const uchar* original = w.Picture1->image().constBits();
    w.pickedColor = w.Picture1->point(10, 10);
    w.Text4->setText("60");
    w.Command3_Click();
    EXPECT_NE(w.Picture1->image().constBits(), original);
    EXPECT_EQ(w.undoHistory.newest().constBits(), original);
    // Effect, undo, effect: the second result goes into the buffer the undo gave back.
    w.Command5_Click(kDarken);
    const uchar* darkened = w.Picture1->image().constBits();
    w.Command4[0]->click();
    EXPECT_NE(w.Picture1->image().constBits(), darkened);
    const QImage before = w.Picture1->image().copy();
    w.Command5_Click(kErode);
    EXPECT_EQ(w.Picture1->image().constBits(), darkened);
    QImage expected;
    applyEffect(kErode, before, expected, 0, 1);
    EXPECT_EQ(w.Picture1->image(), expected);
    EXPECT_EQ(w.undoHistory.newest(), before);
    // The history holds the pictures the steps replaced and nothing more.
    const qint64 picture = w.Picture1->image().sizeInBytes();
    EXPECT_LE(w.undoHistory.heldBytes(), 4 * picture);

    // A photo: once a step kept the picture's own buffer, a fresh one is
    // prepared for the next step when the step is done with its pixels, and
    // the next step paints into it.
    w.Picture1->setImage(testing_support::randomImage(1100, 1000, 3));
    w.writeBackingCopy();
    const qint64 photo = w.Picture1->image().sizeInBytes();
    for (int effect : {kWeather, kSmooth}) {
        const QImage source = w.Picture1->image().copy();
        w.Command5_Click(effect);
        QImage result;
        applyEffect(effect, source, result, 0, 1);
        EXPECT_EQ(w.Picture1->image(), result) << effect;
        EXPECT_EQ(w.PicBACK->image(), result) << effect;
        EXPECT_EQ(w.undoHistory.newest(), source) << effect;
        EXPECT_EQ(w.undoHistory.spareBytes(), photo) << effect;
    }
}
