#pragma once
#include <QString>

// Workstations writing to one archive take turns in the kernel: each waits on a byte-range lock
// of the archive file, beyond the bytes the database engine locks, and is woken the moment the
// one before it is done, instead of trying the archive again and again while the others work.
// The engine's own locking still decides every write; the turn only orders the writers. The
// lock belongs to an open file description, so the system lets it go when a process dies; a
// workstation stuck in its turn is waited for no longer than the timeout, after which the
// writer goes on without a turn. Where the file system has no such locks, there are no turns.
class WriteTurn
{
public:
    WriteTurn(const QString& archivePath, int timeoutMs);
    ~WriteTurn();
    WriteTurn(const WriteTurn&) = delete;
    WriteTurn& operator=(const WriteTurn&) = delete;

    bool taken() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
