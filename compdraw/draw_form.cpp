#include "compdraw/draw_form.h"

#include "compdraw/list_entry.h"
#include "platform/events.h"
#include "platform/picture_loader.h"
#include "platform/text_file.h"

#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPointer>
#include <QThread>
#include <QTime>

namespace compdraw::draw {

namespace {

// The left of each reel label, in twips.
constexpr int kLabelLeft[6] = {2400, 2400, 5400, 5400, 8400, 8400};

QFont reelFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(200);  // 150 pt on a 96 dpi screen: one character fills the cell
    return font;
}

QFont buttonFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPointSize(9);
    return font;
}

QFont listFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(15.75);
    return font;
}

}  // namespace

Form1::Form1(const QString& folder, const DrawSettings& settings, QWidget* parent)
    : QWidget(parent), folder_(folder), settings_(settings)
{
    uniform = [this] { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_); };
    setWindowTitle(QStringLiteral("抽奖 v2+141217"));
    setFixedSize(927, 517);
    platform::setBackColor(this, 0xFFC0C0);

    // The labels first, so that the strips and controls made later lie over them.
    const QFont big = reelFont();
    for (int k = 0; k < 6; ++k) {
        ln[k] = new platform::Label(reels.caption[k], this);
        ln[k]->setFont(big);
        ln[k]->setWordWrap(false);
        ln[k]->setAlignment(Qt::AlignCenter);
    }

    Picture1 = new platform::PictureBox(this);
    Picture1->setBackColor(0xC0C0FF);
    Picture1->resizeImage(927, 70);
    Image1[1] = new QLabel(Picture1);
    Image1[1]->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Picture2 = new platform::PictureBox(this);
    Picture2->setBackColor(0xC0FFFF);
    Picture2->resizeImage(927, 249);
    Image1[0] = new QLabel(Picture2);
    Image1[0]->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    List1 = new platform::ListBox(this);
    platform::setBackColor(List1, 0xFFC0C0);
    List1->setFont(listFont());
    // A winner wider than the list is clipped at its right edge; no scroll
    // bar covers the names below.
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setTextElideMode(Qt::ElideNone);

    Command2 = new platform::CommandButton(QStringLiteral("开始"), this);
    Command2->setFont(buttonFont());
    Command1 = new platform::CommandButton(QStringLiteral("停止"), this);
    Command1->setFont(buttonFont());
    Command1->setEnabled(false);
    placeControls();

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
}

void Form1::placeControls()
{
    using platform::kTwipsPerPixel;
    // The reels stand where their tops are now; a draw moves them up and down.
    for (int k = 0; k < 6; ++k)
        platform::placeTwips(ln[k], kLabelLeft[k], reels.top[k] * kTwipsPerPixel, 3000, 3000);
    platform::placeAll({
        {Picture1, 0, 0, 13905, 1050},
        {Image1[1], 0, 0, 13905, 1050},
        {Picture2, 0, 4050, 13905, 3735},
        {Image1[0], 0, -30, 13905, 3750},
        {List1, 0, 1050, 1365, 2970},
        {Command2, 12630, 2760, 1185, 555},
        {Command1, 12630, 3420, 1185, 555},
    });
}

void Form1::Form_Load()
{
    drawnList = QStringLiteral("\r\n");
    rng_.seed(unsigned(QTime::currentTime().msecsSinceStartOfDay() / 1000));

    // A missing list, a broken line or a 1001st name end start-up silently.
    QStringList lines;
    try {
        lines = readListFile(folder_);
    } catch (const platform::TextFileError&) {
        return;
    }
    entrants = readEntrants(lines);
    nameCount = int16_t(entrants.nameList.size());
    if (!entrants.complete)
        return;

    const QDir dir(folder_);
    showBanner(Image1[0], platform::LoadPicture(dir.filePath(QStringLiteral("底部_927_250.jpg"))));
    showBanner(Image1[1], platform::LoadPicture(dir.filePath(QStringLiteral("标题_927_70.jpg"))));
}

void Form1::showBanner(QLabel* image, const QImage& picture)
{
    // An image control takes its picture's size at its place: the picture
    // shows from its top-left corner, and its strip clips what lies outside.
    image->setPixmap(QPixmap::fromImage(picture));
    if (!picture.isNull())
        image->resize(picture.size());
}

void Form1::Command1_Click()
{
    const std::optional<QString> picked = pickWinner(entrants.nameList, drawnList, uniform);
    if (!picked)
        return;  // nobody can win: the reels keep spinning and "停止" stays enabled
    Command1->setEnabled(false);
    winner = *picked;
    drawnList += winner + QStringLiteral("\r\n");
    stopFlag = true;
}

void Form1::Command2_Click()
{
    ReelRun run(reels, [this] { return uniform(); }, [this](int r) { return reelCharAt(entrants, r, drawIndex(uniform(), nameCount)); });
    run.start();
    Command2->setEnabled(false);
    Command1->setEnabled(true);
    stopFlag = false;

    const QPointer<Form1> self(this);
    QElapsedTimer clock;
    while (!run.done()) {
        if (run.phase() == ReelRun::Phase::FreeSpin && stopFlag) {
            run.stop(winner);
            winChars = run.winChars();
        }
        clock.start();
        const bool pumps = run.pumpsEvents();
        if (pumps) {
            platform::doEvents();
            if (!self || unloaded())
                return;  // the window is gone: the draw ends with it
        }
        run.pass();
        showReels();
        if (!pumps)
            repaint();  // the slow-down shows its moves but takes no user input
        const qint64 rest = settings_.passMs - clock.elapsed();
        if (rest > 0)
            QThread::msleep(static_cast<unsigned long>(rest));
    }
    List1->addListItem(winner);
    Command2->setEnabled(true);
}

void Form1::showReels()
{
    for (int k = 0; k < 6; ++k) {
        if (ln[k]->y() != reels.top[k])
            ln[k]->move(ln[k]->x(), reels.top[k]);
        if (ln[k]->caption() != reels.caption[k])
            ln[k]->setCaption(reels.caption[k]);
    }
}

void Form1::closeEvent(QCloseEvent* event)
{
    Form_QueryUnload();
    event->accept();
}

void Form1::Form_QueryUnload()
{
    unloaded_ = true;
}

}  // namespace compdraw::draw
