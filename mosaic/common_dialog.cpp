#include "mosaic/common_dialog.h"

#include "platform/dialogs.h"
#include "platform/text_file.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace mosaic {

namespace {

constexpr int kPathBuffer = 260;

// ANSI bytes of a text; a character the code page cannot hold becomes "?",
// as the system's own conversion does.
QByteArray ansiOf(const QString& text)
{
    return platform::encodeAnsiReplacing(text);
}

// Bytes of a text followed by NULs up to the buffer size (cut to the size).
QByteArray pathBuffer(const QString& text)
{
    QByteArray bytes = ansiOf(text).left(kPathBuffer);
    bytes.append(QByteArray(kPathBuffer - bytes.size(), '\0'));
    return bytes;
}

QString textBeforeNul(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return platform::decodeAnsi(nul < 0 ? bytes : bytes.left(nul));
}

// Each "|" and ":" becomes NUL, then two NULs close the list.
QString nulFilter(const QString& filter)
{
    QString out = filter;
    for (QChar& c : out)
        if (c == QLatin1Char('|') || c == QLatin1Char(':'))
            c = QChar(0);
    out += QChar(0);
    out += QChar(0);
    return out;
}

QString programBaseName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

}  // namespace

DialogError::DialogError(int32_t number, const QString& source, const QString& description)
    : std::runtime_error(description.toStdString()), number(number), source(source), description(description)
{
}

bool cCommonDialog::VBGetOpenFileName(QString& Filename, QString& FileTitle, bool FileMustExist, bool MultiSelect,
                                      bool& ReadOnly, bool HideReadOnly, QString& Filter, int32_t& FilterIndex,
                                      const QString& InitDir, const QString& DlgTitle, const QString& DefaultExt,
                                      QWidget* Owner, int32_t& flags)
{
    int32_t f = flags & ~(platform::kOfnEnableHook | platform::kOfnEnableTemplate);
    if (FileMustExist)
        f |= platform::kOfnFileMustExist;
    if (MultiSelect)
        f |= platform::kOfnAllowMultiSelect;
    if (ReadOnly)
        f |= platform::kOfnReadOnly;
    if (HideReadOnly)
        f |= platform::kOfnHideReadOnly;
    return runFileDialog(false, Filename, FileTitle, Filter, FilterIndex, InitDir, DlgTitle, DefaultExt, Owner,
                         flags, f, &ReadOnly);
}

bool cCommonDialog::VBGetSaveFileName(QString& Filename, QString& FileTitle, bool OverWritePrompt, QString& Filter,
                                      int32_t& FilterIndex, const QString& InitDir, const QString& DlgTitle,
                                      const QString& DefaultExt, QWidget* Owner, int32_t& flags)
{
    int32_t f = flags & ~(platform::kOfnEnableHook | platform::kOfnEnableTemplate);
    if (OverWritePrompt)
        f |= platform::kOfnOverwritePrompt;
    f |= platform::kOfnHideReadOnly;
    return runFileDialog(true, Filename, FileTitle, Filter, FilterIndex, InitDir, DlgTitle, DefaultExt, Owner,
                         flags, f, nullptr);
}

bool cCommonDialog::runFileDialog(bool save, QString& Filename, QString& FileTitle, QString& Filter,
                                  int32_t& FilterIndex, const QString& InitDir, const QString& DlgTitle,
                                  const QString& DefaultExt, QWidget* Owner, int32_t& flags, int32_t dialogFlags,
                                  bool* ReadOnly)
{
    apiReturn_ = 0;
    extendedError_ = 0;
    const QString converted = nulFilter(Filter);
    platform::FileDialogRecord record;
    record.owner = Owner;
    record.initialDir = ansiOf(InitDir);
    record.defExt = ansiOf(DefaultExt);
    record.title = ansiOf(DlgTitle);
    record.filter = ansiOf(converted);
    record.filterIndex = FilterIndex;
    record.file = pathBuffer(Filename);
    record.maxFile = kPathBuffer;
    record.fileTitle = pathBuffer(FileTitle);
    record.maxFileTitle = kPathBuffer;
    record.flags = dialogFlags;

    const int32_t r = save ? platform::getSaveFileName(record) : platform::getOpenFileName(record);
    apiReturn_ = r;
    if (r == 1) {
        Filename = textBeforeNul(record.file);
        FileTitle = textBeforeNul(record.fileTitle);
        flags = record.flags;
        FilterIndex = record.filterIndex;
        Filter = filterItem(converted, FilterIndex);
        if (ReadOnly != nullptr && (record.flags & platform::kOfnReadOnly))
            *ReadOnly = true;
        return true;
    }
    // A return of 0 is a cancel, or a failure that the platform reports
    // only through its extended error: keep that error readable.
    extendedError_ = platform::commDlgExtendedError();
    Filename.clear();
    FileTitle.clear();
    Filter.clear();
    flags = 0;
    FilterIndex = save ? 0 : -1;
    return false;
}

QString cCommonDialog::VBGetFileTitle(const QString& sFile)
{
    QByteArray buffer(kPathBuffer, '\0');
    if (platform::getFileTitle(ansiOf(sFile), buffer, kPathBuffer) != 0)
        return QString();
    return textBeforeNul(buffer);
}

bool cCommonDialog::VBChooseColor(int32_t& Color, bool AnyColor, bool FullOpen, bool DisableFullOpen, QWidget* Owner,
                                  int32_t flags)
{
    if (!customColorsSet_)
        initCustomColors();
    platform::ColorDialogRecord record;
    record.owner = Owner;
    record.rgbResult = Color;
    record.custColors = customColors_.data();
    int32_t f = flags | (AnyColor ? platform::kCcAnyColor : platform::kCcSolidColor) | platform::kCcRgbInit;
    if (FullOpen)
        f |= platform::kCcFullOpen;
    if (DisableFullOpen)
        f |= platform::kCcPreventFullOpen;
    record.flags = f & ~(platform::kCcEnableHook | platform::kCcEnableTemplate);

    const int32_t r = platform::chooseColor(record);
    apiReturn_ = r;
    if (r == 1) {
        Color = record.rgbResult;
        return true;
    }
    if (r != 0 || platform::commDlgExtendedError() != 0)
        extendedError_ = platform::commDlgExtendedError();
    Color = -1;
    return false;
}

int32_t cCommonDialog::CustomColor(int16_t i)
{
    if (!customColorsSet_)
        initCustomColors();
    if (i < 0 || i > 15)
        return -1;
    return customColors_[static_cast<size_t>(i)];
}

void cCommonDialog::CustomColor(int16_t i, int32_t iValue)
{
    if (!customColorsSet_)
        initCustomColors();
    if (i < 0 || i > 15)
        return;
    customColors_[static_cast<size_t>(i)] = iValue;
}

QString cCommonDialog::strFromZ(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString cCommonDialog::filterItem(const QString& filter, int32_t n)
{
    if (filter.isEmpty() || n < 1)
        return QString();
    // Start of pair n: after 2 × (n - 1) NULs.
    qsizetype start = 0;
    for (int32_t k = 0; k < 2 * (n - 1); ++k) {
        const qsizetype nul = filter.indexOf(QChar(0), start);
        if (nul < 0)
            return QString();
        start = nul + 1;
    }
    const qsizetype descEnd = filter.indexOf(QChar(0), start);
    if (descEnd < 0)
        return QString();
    const qsizetype patternEnd = filter.indexOf(QChar(0), descEnd + 1);
    const QString item = filter.mid(start, patternEnd < 0 ? -1 : patternEnd - start);
    // The two closing NULs hold no pair.
    if (item == QString(QChar(0)))
        return QString();
    return item;
}

void cCommonDialog::initCustomColors()
{
    for (int i = 0; i < 16; ++i)
        customColors_[static_cast<size_t>(i)] = platform::getSysColor(i);
    customColorsSet_ = true;
}

std::array<uint8_t, 188> cCommonDialog::copyDialogRecord() const
{
    return dialogRecord_;
}

void cCommonDialog::raiseDialogError(int32_t code)
{
    if (code < 1001) {
        const QString description = code == 5 ? QStringLiteral("Invalid procedure call or argument")
                                              : QStringLiteral("Application-defined or object-defined error");
        throw DialogError(code, programBaseName() + QStringLiteral(".VBError"), description);
    }
    throw DialogError(dialogErrorCode(code), programBaseName() + QStringLiteral(".CommonDialog"), QString());
}

void cCommonDialog::strToBytes(std::vector<uint8_t>& bytes, QString& text)
{
    if (isArrayEmpty(bytes)) {
        const QByteArray ansi = ansiOf(text);
        bytes.assign(ansi.begin(), ansi.end());
        return;
    }
    if (text.size() < static_cast<qsizetype>(bytes.size()))
        text += QString(static_cast<qsizetype>(bytes.size()) - text.size(), QChar(0));
    const QByteArray ansi = ansiOf(text);
    for (size_t i = 0; i < bytes.size() && i < static_cast<size_t>(ansi.size()); ++i)
        bytes[i] = static_cast<uint8_t>(ansi[static_cast<qsizetype>(i)]);
}

QString cCommonDialog::bytesToStr(const std::vector<uint8_t>& bytes)
{
    return platform::decodeAnsi(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<qsizetype>(bytes.size())));
}

int32_t cCommonDialog::dialogErrorCode(int32_t code)
{
    return static_cast<int32_t>(static_cast<uint32_t>(code) | 0x80040000u);
}

bool cCommonDialog::isArrayEmpty(const std::vector<uint8_t>& array)
{
    return array.empty();
}

}  // namespace mosaic
