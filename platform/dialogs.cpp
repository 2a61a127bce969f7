#include "platform/dialogs.h"

#include "platform/color_value.h"
#include "platform/text_file.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <array>

namespace platform {

namespace {

DialogHooks& hooks()
{
    static DialogHooks h;
    return h;
}

int32_t& extendedError()
{
    static int32_t code = 0;
    return code;
}

QByteArray beforeNul(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.left(nul);
}

// "description NUL pattern NUL ..." into Qt's "description (p1 p2);;...".
QStringList qtFilters(const QByteArray& filter)
{
    QStringList parts;
    for (const QByteArray& part : filter.split('\0'))
        parts << decodeAnsi(part);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            break;
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

// Writes text and a closing NUL into a buffer of the given size; false when
// it does not fit.
bool putInBuffer(QByteArray& buffer, int32_t size, const QByteArray& text)
{
    if (size <= 0 || text.size() + 1 > size)
        return false;
    buffer = text;
    buffer.append(QByteArray(size - text.size(), '\0'));
    return true;
}

int32_t runFileDialog(FileDialogRecord& record, bool save)
{
    const QString current = decodeAnsi(beforeNul(record.file));
    QString dir = decodeAnsi(beforeNul(record.initialDir));
    if (!current.isEmpty())
        dir = QDir(dir).filePath(current);
    const QStringList filters = qtFilters(record.filter);
    QFileDialog dialog(record.owner, decodeAnsi(beforeNul(record.title)), dir, filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save)
        dialog.setFileMode(QFileDialog::AnyFile);
    else if (record.flags & kOfnAllowMultiSelect)
        dialog.setFileMode(QFileDialog::ExistingFiles);
    else if (record.flags & kOfnFileMustExist)
        dialog.setFileMode(QFileDialog::ExistingFile);
    else
        dialog.setFileMode(QFileDialog::AnyFile);
    if (save && !(record.flags & kOfnOverwritePrompt))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(decodeAnsi(beforeNul(record.defExt)));
    if (record.filterIndex >= 1 && record.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[record.filterIndex - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return 0;

    const QStringList chosen = dialog.selectedFiles();
    QByteArray fileText;
    QByteArray titleText;
    try {
        if (chosen.size() == 1) {
            fileText = encodeAnsi(QDir::toNativeSeparators(chosen[0]));
            titleText = encodeAnsi(QFileInfo(chosen[0]).fileName());
        } else {
            // Several files: the folder, then each name, NUL-separated.
            fileText = encodeAnsi(QDir::toNativeSeparators(QFileInfo(chosen[0]).absolutePath()));
            for (const QString& name : chosen)
                fileText += '\0' + encodeAnsi(QFileInfo(name).fileName());
            fileText += '\0';
        }
    } catch (const TextFileError&) {
        extendedError() = kFnErrInvalidFilename;
        return 0;
    }
    if (!putInBuffer(record.file, record.maxFile, fileText)) {
        extendedError() = kFnErrBufferTooSmall;
        return 0;
    }
    if (record.maxFileTitle > 0)
        putInBuffer(record.fileTitle, record.maxFileTitle, titleText.left(record.maxFileTitle - 1));
    const qsizetype chosenFilter = filters.indexOf(dialog.selectedNameFilter());
    record.filterIndex = chosenFilter < 0 ? record.filterIndex : static_cast<int32_t>(chosenFilter + 1);
    return 1;
}

}  // namespace

int32_t getOpenFileName(FileDialogRecord& record)
{
    extendedError() = 0;
    return hooks().open ? hooks().open(record) : runFileDialog(record, false);
}

int32_t getSaveFileName(FileDialogRecord& record)
{
    extendedError() = 0;
    return hooks().save ? hooks().save(record) : runFileDialog(record, true);
}

int32_t chooseColor(ColorDialogRecord& record)
{
    extendedError() = 0;
    if (hooks().color)
        return hooks().color(record);
    if (record.custColors != nullptr)
        for (int i = 0; i < 16; ++i)
            QColorDialog::setCustomColor(i, toQColor(record.custColors[i]));
    QColorDialog dialog(record.owner);
    if (record.flags & kCcRgbInit)
        dialog.setCurrentColor(toQColor(record.rgbResult));
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    const QColor chosen = dialog.selectedColor();
    record.rgbResult = rgbValue(chosen.red(), chosen.green(), chosen.blue());
    if (record.custColors != nullptr) {
        for (int i = 0; i < 16; ++i) {
            const QColor c = QColorDialog::customColor(i);
            record.custColors[i] = rgbValue(c.red(), c.green(), c.blue());
        }
    }
    return 1;
}

int32_t commDlgExtendedError()
{
    return extendedError();
}

void setCommDlgExtendedError(int32_t code)
{
    extendedError() = code;
}

int32_t getFileTitle(const QByteArray& file, QByteArray& buffer, int32_t size)
{
    // Split on the decoded text: a trail byte of a double-byte character may
    // look like a separator.
    const QString path = decodeAnsi(beforeNul(file));
    const qsizetype cut = std::max({path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')),
                                    path.lastIndexOf(QLatin1Char(':'))});
    const QString name = path.mid(cut + 1);
    if (name.isEmpty() || name.contains(QRegularExpression(QStringLiteral("[*?<>|\"]"))))
        return -1;
    QByteArray bytes;
    try {
        bytes = encodeAnsi(name);
    } catch (const TextFileError&) {
        return -1;
    }
    if (!putInBuffer(buffer, size, bytes))
        return static_cast<int32_t>(bytes.size() + 1);
    return 0;
}

int32_t getSysColor(int index)
{
    // Scroll bar, desktop, active and inactive caption, menu, window, window
    // frame, menu text, window text, caption text, active and inactive
    // border, application workspace, highlight, highlight text, button face.
    static constexpr std::array<int32_t, 16> colors{
        rgbValue(200, 200, 200), rgbValue(0, 0, 0),       rgbValue(153, 180, 209), rgbValue(191, 205, 219),
        rgbValue(240, 240, 240), rgbValue(255, 255, 255), rgbValue(100, 100, 100), rgbValue(0, 0, 0),
        rgbValue(0, 0, 0),       rgbValue(0, 0, 0),       rgbValue(180, 180, 180), rgbValue(244, 247, 252),
        rgbValue(171, 171, 171), rgbValue(51, 153, 255),  rgbValue(255, 255, 255), rgbValue(240, 240, 240)};
    return index >= 0 && index < 16 ? colors[static_cast<size_t>(index)] : 0;
}

DialogHooks setDialogHooks(DialogHooks h)
{
    DialogHooks old = std::move(hooks());
    hooks() = std::move(h);
    return old;
}

}  // namespace platform
