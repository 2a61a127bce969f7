#include "compdraw/converter_form.h"

#include "compdraw/converter.h"
#include "compdraw/list_entry.h"
#include "platform/events.h"
#include "platform/picture_loader.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "platform/time_text.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QPixmap>
#include <QPointer>

namespace compdraw::convert {

Form1::Form1(const QString& folder, const ConverterSettings& settings, QWidget* parent)
    : QWidget(parent), folder_(folder), settings_(settings)
{
    setWindowTitle(QStringLiteral("Brimlet"));
    setFixedSize(420, 330);

    Label1 = new platform::Label(QStringLiteral("Brimletv20141211"), this);
    Label2[0] = new platform::Label(QStringLiteral("请将粗饼网[参赛选手]页面的网页源码保存为cubing.txt"), this);
    Label2[1] = new platform::Label(QStringLiteral("获取头像时若程序无响应请等待"), this);

    Check1 = new platform::CheckBox(QStringLiteral("姓名"), 2, this);
    Check2 = new platform::CheckBox(QStringLiteral("WCA ID"), 2, this);
    Check3 = new platform::CheckBox(QStringLiteral("性别"), 2, this);
    Check4 = new platform::CheckBox(QStringLiteral("项目"), 0, this);
    Check5 = new platform::CheckBox(QStringLiteral("WCA头像"), 0, this);

    Command1 = new platform::CommandButton(QStringLiteral("获取资料"), this);
    List1 = new platform::ListBox(this);
    Image1 = new QLabel(this);
    Picture1 = new platform::PictureBox(this);

    placeControls();

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
}

void Form1::placeControls()
{
    platform::placeAll({
        {Label1, 150, 120, 6000, 300},
        {Label2[0], 150, 480, 6000, 300},
        {Label2[1], 150, 810, 6000, 300},
        {Check1, 150, 1200, 900, 330},
        {Check2, 1125, 1200, 1125, 330},
        {Check3, 2325, 1200, 900, 330},
        {Check4, 3300, 1200, 900, 330},
        {Check5, 4275, 1200, 1350, 330},
        {Command1, 150, 1620, 1500, 450},
        {List1, 150, 2175, 2250, 2625},
        {Image1, 2550, 2175, 2100, 2625},
        {Picture1, 4800, 2175, 1350, 1350},
    });
}

void Form1::status(const QString& message)
{
    Label1->setCaption(message + u' ' + platform::timeText());
}

void Form1::Command1_Click()
{
    List1->clearList();
    Label1->setCaption(QStringLiteral("正在获取粗饼网页信息..."));

    // cubing.txt is read before list.txt is touched; list.txt is replaced
    // whole, so a failure leaves the old list as it was.
    QStringList lines;
    try {
        const QByteArray bytes = platform::readFileBytes(platform::findFileNoCase(folder_, QStringLiteral("cubing.txt")));
        lines = platform::splitLines(decodePage(bytes));
    } catch (const platform::TextFileError&) {
        status(QStringLiteral("读取cubing.txt失败"));
        return;
    }
    const QList<ListEntry> entries = convertPage(lines);
    try {
        writeListFile(folder_, entries);
    } catch (const platform::TextFileError& e) {
        status(QStringLiteral("写入list.txt失败：") + QString::fromUtf8(e.what()));
        return;
    }
    for (const ListEntry& e : entries)
        if (e.wcaLink)
            List1->addListItem(e.wcaId);
    status(QStringLiteral("名单转换完成"));

    if (Check5->value() != 0) {
        Label1->setCaption(QStringLiteral("正在获取WCA头像..."));
        loadpic();
    }
}

void Form1::loadpic()
{
    const QPointer<Form1> self(this);
    const int total = List1->listCount();
    for (int i = 0; i < total; ++i) {
        platform::doEvents();
        if (!self || unloaded_)
            return;  // the window is gone
        Label1->setCaption(progressText(i + 1, total));
        const QString id = List1->list(i);
        if (!isWcaId(id))
            continue;  // an ID of another form names no file and no address
        const QString path = avatarCachePath(folder_, id);
        if (QFileInfo::exists(path))
            continue;
        QByteArray bytes;
        // A close of the window abandons the download at once.
        const QImage picture = platform::LoadPicture(avatarAddress(settings_.avatarBase, id), &bytes,
                                                     platform::pictureRule(settings_.timeoutMs, [self, this] {
                                                         return !self || unloaded_;
                                                     }));
        if (!self || unloaded_)
            return;
        Image1->setPixmap(QPixmap::fromImage(picture));
        if (picture.isNull())
            continue;  // nothing is saved for a failed load
        try {
            platform::writeFileAtomic(path, bytes);  // the picture as received
        } catch (const platform::TextFileError&) {
            // No DATA folder, or it cannot be written: this ID stays without a file.
        }
    }
    status(QStringLiteral("名单转换完成"));
}

void Form1::closeEvent(QCloseEvent* event)
{
    unloaded_ = true;
    event->accept();
}

}  // namespace compdraw::convert
