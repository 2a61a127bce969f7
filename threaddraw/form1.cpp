#include "threaddraw/form1.h"

#include "platform/time_text.h"
#include "threaddraw/page_fetch.h"
#include "threaddraw/thread_reader.h"

#include <QCloseEvent>
#include <QTime>
#include <QTimer>

namespace threaddraw {

const QString kLogSeparator = QStringLiteral("-=").repeated(21) + QStringLiteral("-");

namespace {

// The common-controls start of the platform this program was written for;
// Qt needs none.
void initCommonControls() {}

// Room for the profile panel above the lists: the profile text, then the
// three forum columns, each as wide as the end line of a fetch.
constexpr int kFormWidth = 10800;
constexpr int kFormHeight = 9900;
constexpr int kPanelLeft = 3240;
constexpr int kPanelTop = 1500;

}  // namespace

Form1::Form1(const Settings& s, QWidget* parent) : QWidget(parent), settings(s)
{
    using namespace platform;
    setWindowTitle(QStringLiteral("Pellorin v0.5"));
    resize(twipsToPixels(kFormWidth), twipsToPixels(kFormHeight));

    Frame1 = new Frame(QString(), this);
    Label1[0] = new Label(QStringLiteral("抽取范围"), Frame1);
    Text2[0] = new TextBox(QStringLiteral("1"), Frame1);
    Text2[1] = new TextBox(QStringLiteral("100"), Frame1);
    Label1[1] = new Label(QStringLiteral("贴子编号"), Frame1);
    Text1 = new TextBox(settings.thread, Frame1);
    Command1 = new CommandButton(QStringLiteral("获取名单"), Frame1);
    Command2 = new CommandButton(QStringLiteral("抽奖"), Frame1);

    Label1[2] = new Label(QStringLiteral("楼层|ID"), this);
    Combo1 = new ComboList(this);
    Text3 = new TextBox(QString(), this);
    Command3[0] = new CommandButton(QStringLiteral("查楼层"), this);
    Command3[1] = new CommandButton(QStringLiteral("查ID"), this);
    Command3[2] = new CommandButton(QStringLiteral("获取ID资料"), this);

    Text4 = new MultiLineBox(this);
    Panel = new ProfilePanel(this);
    QWidget* panel = Panel->content();
    Image1 = new QLabel(panel);
    Image1->setScaledContents(true);
    Label2 = new Label(QString(), panel);
    for (int i = 0; i < 3; ++i)
        Label3[size_t(i)] = new Label(QString(), panel);

    List1 = new ListBox(this);
    List3 = new ListBox(this);
    placeControls();

    connect(List1, &ListBox::click, this, &Form1::List1_Click);
    connect(Combo1, &ComboList::click, this, &Form1::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    for (int i = 0; i < 3; ++i)
        connect(Command3[size_t(i)], &QPushButton::clicked, this, [this, i] { Command3_Click(i); });

    rnd = [this] { return float(rng_() >> 8) / 16777216.0f; };
}

void Form1::placeControls()
{
    using namespace platform;
    // The profile panel fills the room right of Text4 down to the lists; it
    // scrolls when the profile is taller. List3 is wide enough for the log
    // separator beside its scroll bar.
    placeAll({
        {Frame1, 120, 60, 10560, 780},
        {Label1[0], 120, 300, 840, 300},
        {Text2[0], 960, 240, 720, 360},
        {Text2[1], 1740, 240, 720, 360},
        {Label1[1], 2640, 300, 840, 300},
        {Text1, 3480, 240, 1800, 360},
        {Command1, 5460, 210, 1200, 420},
        {Command2, 6780, 210, 1200, 420},
        {Label1[2], 120, 1020, 720, 300},
        {Combo1, 840, 960, 2400, 360},
        {Text3, 3360, 960, 2040, 360},
        {Command3[0], 5520, 930, 1080, 420},
        {Command3[1], 6720, 930, 1080, 420},
        {Command3[2], 7920, 930, 1440, 420},
        {Text4, 120, 1500, 3000, 5580},
        {Panel, kPanelLeft, kPanelTop, kFormWidth - 120 - kPanelLeft, 7080 - kPanelTop},
        {List1, 120, 7200, 5220, 2700},
        {List3, 5460, 7200, 5220, 2700},
    });

    // Inside the panel the controls keep the places of the window's design,
    // less the panel's own left and top; Label2 and the three forum columns
    // share the panel's width.
    Panel->fitContentWidth();
    const int panelWidth = Panel->content()->width() * kTwipsPerPixel;
    placeAll({
        {Image1, 0, 0, 1500, 1500},
        {Label2, 4860 - kPanelLeft, 0, panelWidth - (4860 - kPanelLeft), 1800},
    });
    const int columnWidth = (panelWidth - 2 * 60) / 3;
    for (int i = 0; i < 3; ++i)
        placeTwips(Label3[size_t(i)], (columnWidth + 60) * i, 3420 - kPanelTop, columnWidth, 1800);
}

void Form1::Form_Load()
{
    initCommonControls();
    const float timer = float(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
    std::seed_seq seed{uint32_t(timer * 100.0f)};
    rng_.seed(seed);
    show();
    // The list is fetched once the event loop runs, so that a close during
    // the fetch is seen and ends the program.
    idsPending_ = true;
    QTimer::singleShot(0, this, &Form1::loadids);
}

void Form1::Form_Resize()
{
    const int scaleHeight = height() * platform::kTwipsPerPixel;
    for (platform::ListBox* list : {List1, List3}) {
        const int top = list->y() * platform::kTwipsPerPixel;
        const int h = scaleHeight - top > 0 ? scaleHeight - top : 100;
        platform::placeTwips(list, list->x() * platform::kTwipsPerPixel, top, list->width() * platform::kTwipsPerPixel, h);
    }
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::closeEvent(QCloseEvent* event)
{
    closed_ = true;
    QWidget::closeEvent(event);
}

platform::RequestRule Form1::pageRule() const
{
    return {settings.timeoutMs, settings.pageCap, [this] { return closed(); }};
}

platform::RequestRule Form1::pictureRule() const
{
    return {settings.timeoutMs, settings.pictureCap, [this] { return closed(); }};
}

QString Form1::status(const QString& message)
{
    const QString line = platform::timeText() + QLatin1Char(' ') + message;
    setWindowTitle(line);
    List1->addListItem(line);
    return line;
}

void Form1::logLine(const QString& line)
{
    List3->addListItem(line);
    List3->setListIndex(List3->listCount() - 1);
}

void Form1::List1_Click()
{
    if (List1->listIndex() < 0)
        return;
    List3->addListItem(kLogSeparator);
    logLine(List1->list(List1->listIndex()));
}

void Form1::Combo1_Click()
{
    const int index = Combo1->listIndex();
    if (index < 0 || index >= FloorTable::kSlots)
        return;
    const Cuber& c = cubers.slot(index);
    Text3->setText(c.id);
    List3->addListItem(kLogSeparator);
    List3->addListItem(c.floor + QLatin1Char('|') + c.id);
    logLine(c.text);
}

void Form1::sxList()
{
    status(QStringLiteral("刷新列表"));
    Combo1->fill(cubers.sxListItems());
}

void Form1::cfList()
{
    for (const QString& line : cubers.cfList())
        List1->addListItem(line);
}

void Form1::Command1_Click()
{
    // A second read while one waits would empty the table under it.
    if (reading_)
        return;
    reading_ = true;
    cubers.clear();
    List1->clearList();
    Combo1->clearList();
    List3->clearList();

    ReaderHooks hooks;
    hooks.threadNumber = [this] { return Text1->text().trimmed(); };
    hooks.status = [this](const QString& message) { status(message); };
    hooks.fetch = [this](const QString& url) {
        return GetPage(url, pageRule());
    };
    const ReadResult result = readThread(cubers, settings.mobileBase, hooks);

    if (result.complete) {
        status(QStringLiteral("读取完成"));
    } else {
        List3->addListItem(status(QStringLiteral("！未完整读取贴子楼层")));
    }
    sxList();
    status(QStringLiteral("检查重复"));
    cfList();
    status(QStringLiteral("获取过程完成"));
    Text2[1]->setText(result.lastFloor);
    reading_ = false;
}

}  // namespace threaddraw
