#pragma once
#include <QString>

// This process as a lock row names its holder: its id and the moment it started, so that a
// later process given the same id is not taken for it.
QString currentProcessIdentity();

// Whether the process a lock row names is running on this machine now.
bool isProcessRunning(const QString& identity);
