// Text files in the system's ANSI code page: GBK (code page 936) with CR LF
// line ends, as on a Chinese Windows desktop.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace platform {

// A text file that cannot be read, written or encoded. what() is UTF-8.
class TextFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// GBK bytes of a text; throws TextFileError naming the first character that
// GBK cannot hold.
QByteArray encodeAnsi(const QString& text);

// Text of GBK bytes; a byte sequence that is no GBK character becomes U+FFFD.
QString decodeAnsi(const QByteArray& bytes);

bool isValidUtf8(const QByteArray& bytes);

// UTF-8 when the bytes are valid UTF-8 (a byte-order mark is dropped), else GBK.
QString decodeUtf8OrAnsi(const QByteArray& bytes);

// Splits at CR LF, LF or CR. A final line end does not start another line.
QStringList splitLines(const QString& text);

// Writes each line followed by CR LF, in GBK. The file appears whole or not
// at all: it is written beside the target and renamed into place. Throws
// TextFileError when a line cannot be encoded or the file cannot be written.
void writeAnsiLines(const QString& path, const QStringList& lines);

// Writes bytes whole or not at all (temporary file renamed into place).
void writeFileAtomic(const QString& path, const QByteArray& bytes);

// Reads a whole file; throws TextFileError when it cannot be opened.
QByteArray readFileBytes(const QString& path);

// Lines of a GBK text file.
QStringList readAnsiLines(const QString& path);

}  // namespace platform
