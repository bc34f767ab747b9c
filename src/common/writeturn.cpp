#include "writeturn.h"
#include "serverarchive.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#ifdef __linux__
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#if defined(__linux__) && defined(F_OFD_SETLKW)

namespace {

// The byte locked for a turn: past the engine's lock bytes (from 1 GiB on) and its shared range.
constexpr off_t TurnByte = 0x50000000;

struct TurnFile
{
    int fd = -1;
    bool mine = false;  // this process holds the turn: asking again on the same description would convert it
};

// One descriptor per archive, open for the process's life: closing any descriptor of a file
// would drop the locks the engine holds on that same file.
TurnFile& turnFile(const QString& archivePath)
{
    static QMutex guard;
    static QHash<QString, TurnFile*> files;  // kept for the process's life, like the descriptors
    const QString key = QFileInfo(archivePath).absoluteFilePath();
    QMutexLocker locker(&guard);
    TurnFile*& file = files[key];
    if (!file)
        file = new TurnFile{::open(QFile::encodeName(key).constData(), O_RDWR | O_CLOEXEC)};
    return *file;
}

bool setTurnLock(int fd, short type, int command)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = TurnByte;
    lock.l_len = 1;
    return ::fcntl(fd, command, &lock) == 0;
}

// The signal that ends a wait past its timeout; its handler does nothing, it only interrupts.
int timeoutSignal()
{
    static const int signal = [] {
        struct sigaction action = {};
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGRTMIN + 3, &action, nullptr);
        return SIGRTMIN + 3;
    }();
    return signal;
}

// Waits for the turn byte in the given mode, interrupted by a timer aimed at this thread once the
// timeout is over.
bool waitForLock(int fd, short type, int timeoutMs)
{
    struct sigevent event = {};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = timeoutSignal();
    event._sigev_un._tid = pid_t(::syscall(SYS_gettid));
    timer_t timer;
    if (::timer_create(CLOCK_MONOTONIC, &event, &timer) != 0)
        return false;
    struct itimerspec due = {};
    due.it_value.tv_sec = timeoutMs / 1000;
    due.it_value.tv_nsec = long(timeoutMs % 1000) * 1000000L;
    ::timer_settime(timer, 0, &due, nullptr);
    const bool taken = setTurnLock(fd, type, F_OFD_SETLKW);
    ::timer_delete(timer);
    return taken;
}

bool waitForTurn(int fd, int timeoutMs)
{
    if (setTurnLock(fd, F_WRLCK, F_OFD_SETLK))
        return true;
    return (errno == EAGAIN || errno == EACCES) && waitForLock(fd, F_WRLCK, timeoutMs);
}

} // namespace

WriteTurn::WriteTurn(const QString& archivePath, int timeoutMs)
{
    // A server orders its writers itself.
    if (ServerArchive::isServer(archivePath))
        return;
    TurnFile& file = turnFile(archivePath);
    if (file.fd >= 0 && !file.mine && waitForTurn(file.fd, timeoutMs)) {
        m_fd = file.fd;
        m_held = &file.mine;
        file.mine = true;
    }
}

WriteTurn::~WriteTurn()
{
    if (m_fd >= 0) {
        *m_held = false;
        setTurnLock(m_fd, F_UNLCK, F_OFD_SETLK);
    }
}

bool WriteTurn::waitWhileAnotherWrites(const QString& archivePath, int timeoutMs)
{
    if (ServerArchive::isServer(archivePath))
        return false;
    TurnFile& file = turnFile(archivePath);
    if (file.fd < 0 || file.mine)
        return false;
    if (setTurnLock(file.fd, F_RDLCK, F_OFD_SETLK)) {
        setTurnLock(file.fd, F_UNLCK, F_OFD_SETLK);
        return false;
    }
    if ((errno != EAGAIN && errno != EACCES) || !waitForLock(file.fd, F_RDLCK, timeoutMs))
        return false;
    setTurnLock(file.fd, F_UNLCK, F_OFD_SETLK);
    return true;
}

#else

WriteTurn::WriteTurn(const QString&, int) {}
WriteTurn::~WriteTurn() = default;
bool WriteTurn::waitWhileAnotherWrites(const QString&, int) { return false; }

#endif
