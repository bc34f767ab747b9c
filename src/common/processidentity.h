#pragma once
#include <QString>

// How a lock row names its holder: the installation of the program (an identifier kept in the
// workstation's local archive, made at its first run), then the process's id and the moment it
// started, so that a later process given the same id is not taken for it. Host names say
// nothing here: cloned machines share theirs, and a process table tells only of its own machine.
//   "<installation>/<pid>@<start>"

// This process of the installation whose local archive is localDbPath (opened with connectString). Without an identifier
// (a local archive that cannot be read or written) the holder names only its process, and no
// lock of it is ever taken for an ended one of this installation.
QString lockHolderIdentity(const QString& localDbPath, const QString& connectString);

// Whether a holder provably ended: of this same installation, and its process no longer running
// on this machine. A holder of another installation, or of an earlier build's row, is never.
bool isEndedHolderOfThisInstallation(const QString& holder, const QString& localDbPath, const QString& connectString);
