#include "review/option_state.h"

#include "platform/numbers.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>

namespace review {

namespace {

[[noreturn]] void fail(const char* description)
{
    throw OptionStateError(description);
}

// A line as a whole number: blanks anywhere in it are ignored ("- 1" is
// -1, "1 2" is 12), then its leading number is rounded half to even. A
// number beyond the 16-bit range, also one too large for a double,
// overflows.
int16_t lineNumber(const QString& line)
{
    QString text = line;
    text.removeIf([](QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; });
    try {
        return platform::toInt16(platform::leadingNumberUnbounded(text));
    } catch (const platform::OverflowError&) {
        fail("溢出");
    }
}

// A name inside the folder as text may still lead out of it through a
// linked sub-folder or a linked file: the path really written or read counts.
void checkInsideFolder(const QString& folder, const QString& path)
{
    if (!platform::liesInFolder(folder, path))
        fail("路径/文件访问错误");
}

}  // namespace

QStringList optionStateLines(const OptionValues& values)
{
    QStringList lines;
    for (const QString& text : values.texts)
        lines << text;
    for (int16_t index : values.lists)
        lines << QString::number(index);
    for (int16_t check : values.checks)
        lines << QString::number(check);
    return lines;
}

QString optionStatePath(const QString& folder, const QString& cubeName)
{
    for (const QChar c : cubeName)
        if (c.category() == QChar::Other_Control)
            fail("文件名无效");
    const QString path = platform::fileInFolder(folder, cubeName + QStringLiteral(".txt"));
    if (path.isEmpty())
        fail("文件名无效");
    checkInsideFolder(folder, path);
    return path;
}

void saveOptionState(const QString& folder, const QString& cubeName, const OptionValues& values)
{
    const QString path = optionStatePath(folder, cubeName);
    if (!QFileInfo(path).dir().exists())
        fail("路径未找到");
    try {
        platform::writeAnsiLines(path, optionStateLines(values));
    } catch (const platform::TextFileError& e) {
        throw OptionStateError(e.what());
    }
}

OptionStateRead readOptionState(const QString& folder, const QString& cubeName, const OptionValues& current)
{
    OptionStateRead read;
    read.values = current;
    try {
        // The file is found whatever the letter case of its name; a name of
        // the exact case comes first.
        const QFileInfo named(optionStatePath(folder, cubeName));
        const QString path =
            named.isFile() ? named.filePath() : platform::findFileNoCase(named.path(), named.fileName());
        if (!QFileInfo(path).isFile())
            fail("文件未找到");
        checkInsideFolder(folder, path);
        QStringList lines;
        try {
            lines = platform::readAnsiLines(path);
        } catch (const platform::TextFileError& e) {
            throw OptionStateError(e.what());
        }
        for (int option = 0; option < kOptionCount; ++option) {
            if (option >= lines.size())
                fail("输入超出文件尾");
            const QString& line = lines[option];
            if (option < kTextCount) {
                read.values.texts[option] = line;
            } else if (option < kTextCount + kListCount) {
                const int list = option - kTextCount;
                const int16_t index = lineNumber(line);
                if (index < -1 || index >= int(kListItems[list].size()))
                    fail("无效的属性值");
                read.values.lists[list] = index;
            } else {
                const int check = option - kTextCount - kListCount;
                const int16_t value = lineNumber(line);
                if (value < 0 || value > 2)
                    fail("无效的属性值");
                read.values.checks[check] = value;
            }
            read.optionsRead = option + 1;
        }
    } catch (const OptionStateError& e) {
        read.error = QString::fromUtf8(e.what());
    }
    return read;
}

}  // namespace review
