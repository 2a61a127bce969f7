#include "review/form1.h"

#include "review/article.h"
#include "review/option_state.h"
#include "platform/time_text.h"

#include <stdexcept>

namespace review {

ArticleBox::ArticleBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QString ArticleBox::text() const
{
    QString text = toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void ArticleBox::setText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
}

Form1::Form1(const QString& folder, QWidget* parent) : QWidget(parent), programFolder(folder)
{
    createControls();
    connectHandlers();
}

void Form1::connectHandlers()
{
    for (int i = 0; i < kCheckCount; ++i)
        connect(Check1[i], &platform::CheckBox::mouseUp, this,
                [this, i](int button, int shift, int x, int y) { Check1_MouseUp(i, button, shift, x, y); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(Command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

void Form1::Form_Load()
{
    for (int i = 0; i < kListCount; ++i)
        Combo1[i]->setListIndex(0);
}

QString Form1::c(int16_t index) const
{
    if (index < 0 || index >= kListCount)
        throw std::out_of_range("Combo1 has no such element");
    return Combo1[index]->currentIndex() < 0 ? QString() : Combo1[index]->currentText();
}

QString Form1::t(int16_t index) const
{
    if (index < 0 || index >= kTextCount)
        throw std::out_of_range("Text1 has no such element");
    return Text1[index]->text();
}

OptionValues Form1::optionValues() const
{
    OptionValues values;
    for (int i = 0; i < kTextCount; ++i)
        values.texts[i] = t(int16_t(i));
    for (int i = 0; i < kListCount; ++i)
        values.lists[i] = int16_t(Combo1[i]->listIndex());
    for (int i = 0; i < kCheckCount; ++i)
        values.checks[i] = int16_t(Check1[i]->value());
    return values;
}

void Form1::Check1_MouseUp(int index, int, int, int, int)
{
    switch (index) {
    case 1: {
        const bool on = Check1[1]->value() != 0;
        for (int i : {7, 8, 9})
            Combo1[i]->setEnabled(on);
        break;
    }
    case 12: {
        const bool on = Check1[12]->value() == 1;
        for (int i = 13; i <= 24; ++i)
            Check1[i]->setEnabled(on);
        Check1[41]->setEnabled(on);
        Check1[43]->setEnabled(on);
        Combo1[34]->setEnabled(on);
        Combo1[27]->setEnabled(on);
        break;
    }
    case 36: {
        const bool on = Check1[36]->value() == 1;
        for (int i = 25; i <= 35; ++i)
            Check1[i]->setEnabled(on);
        Check1[42]->setEnabled(on);
        Check1[44]->setEnabled(on);
        Check1[37]->setEnabled(on);
        Combo1[35]->setEnabled(on);
        Combo1[28]->setEnabled(on);
        break;
    }
    default:
        break;
    }
}

void Form1::Command1_Click()
{
    Text2->setVisible(true);
    Command3->setVisible(true);
    ArticleInput input{optionValues(), {}};
    for (int i = 0; i < kListCount; ++i)
        input.listTexts[i] = c(int16_t(i));
    Text2->setText(writeArticle(input));
}

void Form1::Command2_Click(int index)
{
    if (index == 0)
        saveOptions();
    else
        readOptions();
}

void Form1::Command3_Click()
{
    Text2->setVisible(false);
    Command3->setVisible(false);
}

void Form1::saveOptions()
{
    try {
        saveOptionState(programFolder, t(0), optionValues());
        setWindowTitle(platform::timeText() + QStringLiteral(" 保存成功"));
    } catch (const OptionStateError& e) {
        setWindowTitle(platform::timeText() + QStringLiteral(" 保存失败：") + QString::fromUtf8(e.what()));
    }
}

void Form1::readOptions()
{
    const OptionStateRead read = readOptionState(programFolder, t(0), optionValues());
    setOptions(read.values, read.optionsRead);
    if (!read.error.isEmpty())
        setWindowTitle(platform::timeText() + QStringLiteral(" 读取失败：") + read.error);
}

void Form1::setOptions(const OptionValues& values, int count)
{
    for (int option = 0; option < count; ++option) {
        if (option < kTextCount) {
            Text1[option]->setText(values.texts[option]);
        } else if (option < kTextCount + kListCount) {
            const int i = option - kTextCount;
            Combo1[i]->setListIndex(values.lists[i]);
        } else {
            const int i = option - kTextCount - kListCount;
            Check1[i]->setValue(values.checks[i]);
        }
    }
}

}  // namespace review
