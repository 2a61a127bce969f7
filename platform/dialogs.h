// File-open, file-save and colour dialogs shaped as the platform's dialog
// records: texts are handed over as ANSI (GBK) bytes with NUL separators,
// results come back in the record, the return value is 1 for a choice and 0
// for a cancel or a failure (commDlgExtendedError() tells the failure).
// Tests answer the dialogs through hooks without showing a window.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <functional>

class QWidget;

namespace platform {

// Flags of the file dialogs.
constexpr int32_t kOfnReadOnly = 0x1;
constexpr int32_t kOfnOverwritePrompt = 0x2;
constexpr int32_t kOfnHideReadOnly = 0x4;
constexpr int32_t kOfnEnableHook = 0x20;
constexpr int32_t kOfnEnableTemplate = 0x40;
constexpr int32_t kOfnAllowMultiSelect = 0x200;
constexpr int32_t kOfnFileMustExist = 0x1000;
// Flags of the colour dialog.
constexpr int32_t kCcRgbInit = 0x1;
constexpr int32_t kCcFullOpen = 0x2;
constexpr int32_t kCcPreventFullOpen = 0x4;
constexpr int32_t kCcEnableHook = 0x10;
constexpr int32_t kCcEnableTemplate = 0x20;
constexpr int32_t kCcSolidColor = 0x80;
constexpr int32_t kCcAnyColor = 0x100;
// Extended errors of the file dialogs.
constexpr int32_t kFnErrInvalidFilename = 0x3002;
constexpr int32_t kFnErrBufferTooSmall = 0x3003;

// The file dialogs' record.
struct FileDialogRecord {
    int32_t structSize = 76;
    QWidget* owner = nullptr;
    QByteArray filter;        // description NUL pattern NUL ... NUL NUL
    int32_t filterIndex = 0;  // 1 for the first pair
    QByteArray file;          // buffer of maxFile bytes, in and out
    int32_t maxFile = 0;
    QByteArray fileTitle;     // buffer of maxFileTitle bytes, out
    int32_t maxFileTitle = 0;
    QByteArray initialDir;
    QByteArray title;
    QByteArray defExt;
    int32_t flags = 0;
};

// The colour dialog's record.
struct ColorDialogRecord {
    int32_t structSize = 36;
    QWidget* owner = nullptr;
    int32_t rgbResult = 0;           // colour value R + G*256 + B*65536
    int32_t* custColors = nullptr;   // 16 colour values, in and out
    int32_t flags = 0;
};

int32_t getOpenFileName(FileDialogRecord& record);
int32_t getSaveFileName(FileDialogRecord& record);
int32_t chooseColor(ColorDialogRecord& record);
// Failure code of the last dialog call; 0 after a choice or a cancel.
int32_t commDlgExtendedError();
// Title (name part) of a file path into buffer (size bytes, NUL-ended):
// 0 on success, the size needed when the buffer is too small, negative for
// a name that has no title.
int32_t getFileTitle(const QByteArray& file, QByteArray& buffer, int32_t size);
// The system colours 0 to 15 (scroll bar to button face), a fixed table;
// 0 for other indexes.
int32_t getSysColor(int index);

// Test hooks: when set, a hook answers the dialog instead of a window. A hook
// may report a failure through setCommDlgExtendedError.
struct DialogHooks {
    std::function<int32_t(FileDialogRecord&)> open;
    std::function<int32_t(FileDialogRecord&)> save;
    std::function<int32_t(ColorDialogRecord&)> color;
};
// Installs hooks and returns the previous ones.
DialogHooks setDialogHooks(DialogHooks hooks);
void setCommDlgExtendedError(int32_t code);

}  // namespace platform
