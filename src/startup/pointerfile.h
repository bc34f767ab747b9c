#pragma once
#include <QString>

struct AppGlobals;

// The pointer file "brevanov.dat" in the program folder says where the data folder is and
// whether this workstation is the server (role 0) or a client (role 1):
//   line 1: the data folder, ending with the separator
//   line 2: the role as decimal text
// It is written with CR LF line ends, as on the suite's other workstations; a file with LF
// line ends reads the same.

QString pointerFilePath(const QString& programFolder);

// Fills the data folder, the company archive path and the client mode. A missing file shows
// the data-folder configuration first (which writes the file or ends the program). A file that
// cannot be read to the end keeps what was read before the failure.
void ReadPointerFile(AppGlobals& globals, const QString& path);

// Writes the current data folder and the role. Throws std::runtime_error when the file cannot
// be written.
void WritePointerFile(const AppGlobals& globals, qint32 role);
