// A copy of the running test binary in a program folder whose name is GBK
// bytes (as a zip made on a Chinese Windows desktop unpacks), started from
// another folder: a probe test inside the copy runs a program's window there.
#pragma once

#include "platform/unique_fd.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace testing_support {

// "魔方" in GBK: no UTF-8.
inline const QByteArray kGbkName = QByteArrayLiteral("\xC4\xA7\xB7\xBD");

// True inside a copy started by GbkFolderRun::runProbe; probe tests skip
// otherwise.
bool isFolderProbe();

// Bytes of a file named by bytes; empty when it cannot be read.
QByteArray bytesAt(const QByteArray& path);

// Writes a file named by bytes; fails the running test when it cannot.
void writeAt(const QByteArray& path, const QByteArray& bytes);

// Every entry of a folder named by bytes: its name and, for a regular file,
// its bytes, or past 256 bytes its size and digest (empty for other entries).
std::map<std::string, std::string> filesAt(const QByteArray& folder);

class GbkFolderRun {
public:
    // Makes the program folder, holding a copy of this binary as "program",
    // and the other folder, holding a cubing.txt and a list.txt of its own,
    // both in a temporary folder.
    GbkFolderRun();
    // Removes the program folder by bytes, which QTemporaryDir cannot name.
    ~GbkFolderRun();
    GbkFolderRun(const GbkFolderRun&) = delete;
    GbkFolderRun& operator=(const GbkFolderRun&) = delete;

    // A file of the program and a different one under the same name in the
    // other folder.
    void put(const QByteArray& name, const QByteArray& inFolder, const QByteArray& elsewhereBytes) const;

    // Starts the copy from the other folder with the probe variable set,
    // running only `test`, and waits for it (60 s at most); succeeds when
    // that test ran and passed.
    ::testing::AssertionResult runProbe(const char* test) const;

    QByteArray folder;     // the program folder
    QByteArray elsewhere;  // the working folder of the run

private:
    QTemporaryDir dir_;
    platform::UniqueFd handle_;  // the program folder, for starting the copy by a text path
};

}  // namespace testing_support
