#include "review/option_state.h"

#include "platform/numbers.h"
#include "platform/program_folder.h"
#include "platform/file_reader.h"
#include "platform/path_beneath.h"
#include "platform/text_file.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>

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

// The folder's entry for a cube's file, reached beneath the folder: a name
// that leads outside it, also through a link, is refused. A save and a read
// use the handles this gives, so nothing swapped in meanwhile leads out.
// `missing` is the message for a folder on the way that does not exist.
platform::EntryBeneath optionStateEntry(const QString& folder, const QString& cubeName, const char* missing)
{
    const QString name = optionStateName(cubeName);
    try {
        const platform::UniqueFd root(
            ::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!root.valid())
            fail(missing);
        return platform::resolveBeneath(root.get(), name.toUtf8());
    } catch (const platform::OutsideFolderError&) {
        fail("路径/文件访问错误");
    } catch (const platform::TextFileError& e) {
        if (std::strcmp(e.what(), std::strerror(ENOENT)) == 0 || std::strcmp(e.what(), std::strerror(ENOTDIR)) == 0)
            fail(missing);
        throw OptionStateError(e.what());
    }
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

QString optionStateName(const QString& cubeName)
{
    for (const QChar c : cubeName)
        if (c.category() == QChar::Other_Control)
            fail("文件名无效");
    const QString name = platform::nameInFolder(cubeName + QStringLiteral(".txt"));
    if (name.isEmpty())
        fail("文件名无效");
    return name;
}

void saveOptionState(const QString& folder, const QString& cubeName, const OptionValues& values)
{
    // Written under the name of an existing file that differs only in letter
    // case, so that one cube keeps one file.
    const platform::EntryBeneath entry = optionStateEntry(folder, cubeName, "路径未找到");
    try {
        platform::writeFileAt(entry.folder.get(), entry.name, platform::ansiLineBytes(optionStateLines(values)));
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
        const platform::EntryBeneath entry = optionStateEntry(folder, cubeName, "文件未找到");
        QStringList lines;
        try {
            lines = platform::splitLines(platform::decodeAnsi(platform::readRegularFile(
                entry.folder.get(), entry.name, platform::kTextReadCap, O_NOFOLLOW)));
        } catch (const platform::TextFileError& e) {
            if (std::strcmp(e.what(), std::strerror(ENOENT)) == 0)
                fail("文件未找到");
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
