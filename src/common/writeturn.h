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

    // A reader the engine keeps out while another process writes sleeps until that writer's turn
    // is over (at most timeoutMs) and is woken at once, instead of looking again and again while
    // the writer needs the processor. False when no other process holds the turn: the engine is
    // busy for another reason, and the caller waits its own way.
    static bool waitWhileAnotherWrites(const QString& archivePath, int timeoutMs);

private:
    int m_fd = -1;
    bool* m_held = nullptr;  // the process's note that it holds this archive's turn
};
