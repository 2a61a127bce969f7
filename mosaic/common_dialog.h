// File-open, file-save, file-title and colour dialogs with 16 custom colours.
// Outcomes come back through the results and APIReturn/ExtendedError; no
// operation raises an error. Texts reach the dialogs in the ANSI code page.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

class QWidget;

namespace mosaic {

// Run-time error of the dialog class, with its number and source.
class DialogError : public std::runtime_error {
public:
    DialogError(int32_t number, const QString& source, const QString& description);
    int32_t number;
    QString source;
    QString description;
};

class cCommonDialog {
public:
    int32_t APIReturn() const { return apiReturn_; }
    int32_t ExtendedError() const { return extendedError_; }

    // Filter: description|pattern|... (":" separates like "|"); FilterIndex
    // counts pairs from 1. On a choice returns true with the chosen name, its
    // title, the dialog's flags, the chosen pair's index and the pair itself
    // (description NUL pattern). On a cancel or failure returns false with
    // the texts empty, flags 0 and FilterIndex -1.
    bool VBGetOpenFileName(QString& Filename, QString& FileTitle, bool FileMustExist, bool MultiSelect,
                           bool& ReadOnly, bool HideReadOnly, QString& Filter, int32_t& FilterIndex,
                           const QString& InitDir, const QString& DlgTitle, const QString& DefaultExt,
                           QWidget* Owner, int32_t& flags);
    // As the open dialog; on a cancel or failure FilterIndex becomes 0.
    bool VBGetSaveFileName(QString& Filename, QString& FileTitle, bool OverWritePrompt, QString& Filter,
                           int32_t& FilterIndex, const QString& InitDir, const QString& DlgTitle,
                           const QString& DefaultExt, QWidget* Owner, int32_t& flags);
    // The name part of a path; empty when it has none.
    QString VBGetFileTitle(const QString& sFile);
    // Color in and out: the chosen colour, or -1 on a cancel or failure.
    bool VBChooseColor(int32_t& Color, bool AnyColor, bool FullOpen, bool DisableFullOpen, QWidget* Owner,
                       int32_t flags);
    // Custom colour i (0 to 15), -1 for any other i.
    int32_t CustomColor(int16_t i);
    // Stores a custom colour; an i outside 0 to 15 changes nothing.
    void CustomColor(int16_t i, int32_t iValue);

private:
    static QString strFromZ(const QString& text);
    static QString filterItem(const QString& filter, int32_t n);
    void initCustomColors();
    std::array<uint8_t, 188> copyDialogRecord() const;
    [[noreturn]] static void raiseDialogError(int32_t code);
    static void strToBytes(std::vector<uint8_t>& bytes, QString& text);
    static QString bytesToStr(const std::vector<uint8_t>& bytes);
    static int32_t dialogErrorCode(int32_t code);
    static bool isArrayEmpty(const std::vector<uint8_t>& array);

    bool runFileDialog(bool save, QString& Filename, QString& FileTitle, QString& Filter, int32_t& FilterIndex,
                       const QString& InitDir, const QString& DlgTitle, const QString& DefaultExt,
                       QWidget* Owner, int32_t& flags, int32_t dialogFlags, bool* ReadOnly);

    std::array<int32_t, 16> customColors_{};
    bool customColorsSet_ = false;
    int32_t apiReturn_ = 0;
    int32_t extendedError_ = 0;
    std::array<uint8_t, 188> dialogRecord_{};
};

}  // namespace mosaic
