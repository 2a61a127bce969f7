// The option-state file: the 87 option values as lines of text (GBK, CR LF)
// in the program folder, named after the cube with ".txt".
#pragma once

#include "review/option_set.h"

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace review {

// A save or read that failed; what() is the UTF-8 description shown to the user.
class OptionStateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The 87 lines: six texts, the list indices, the check values.
QStringList optionStateLines(const OptionValues& values);

// Name of the file of a cube, relative to the folder. A name may name a
// sub-folder ("\" or "/"); one leading outside the folder as text or holding
// control characters is refused with OptionStateError.
QString optionStateName(const QString& cubeName);

// Writes the file whole or not at all; a failed save leaves an earlier file
// as it was. The path is walked beneath the folder and a way out of it, also
// through a linked sub-folder or file, is refused. An existing file whose
// name differs only in letter case is the one written. Throws
// OptionStateError.
void saveOptionState(const QString& folder, const QString& cubeName, const OptionValues& values);

// Outcome of a read: `values` holds the file's values for the first
// `optionsRead` options (texts, then lists, then checks) and the values it
// started with for the rest. `error` is empty when all 87 were read.
struct OptionStateRead {
    OptionValues values;
    int optionsRead = 0;
    QString error;
};

// Reads the options in order and stops at the first missing or bad line.
OptionStateRead readOptionState(const QString& folder, const QString& cubeName, const OptionValues& current);

}  // namespace review
