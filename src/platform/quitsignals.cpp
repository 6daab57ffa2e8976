#include "platform/quitsignals.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace kalvon {

namespace {

constexpr int kQuitSignals[] = { SIGTERM, SIGINT, SIGHUP };

// The pipe's write end as the signal handler sees it; -1 while no QuitSignals exists.
std::atomic<int> g_writeEnd{ -1 };
static_assert(std::atomic<int>::is_always_lock_free, "read inside a signal handler");

// Async-signal-safe: one write, errno kept for the code the signal interrupted.
void onQuitSignal(int number)
{
    const int savedErrno = errno;
    const int fd = g_writeEnd.load();
    if (fd >= 0) {
        const auto byte = static_cast<unsigned char>(number);
        // A full pipe already holds an unread request: dropping this one loses nothing.
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals(QObject* parent)
    : QObject(parent)
{
    int ends[2];
    if (::pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    int expected = -1;
    if (!g_writeEnd.compare_exchange_strong(expected, ends[1])) {
        ::close(ends[0]);
        ::close(ends[1]);
        throw std::logic_error("the quit signals are already taken");
    }
    m_readEnd = ends[0];
    m_writeEnd = ends[1];
    m_notifier = new QSocketNotifier(m_readEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readPipe);

    struct sigaction action = {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls go on: the program carries on until the event loop reads the pipe.
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kQuitSignals); ++i)
        ::sigaction(kQuitSignals[i], &action, &m_previous[i]);
}

QuitSignals::~QuitSignals()
{
    if (!active())
        return;
    for (size_t i = 0; i < std::size(kQuitSignals); ++i)
        ::sigaction(kQuitSignals[i], &m_previous[i], nullptr);
    g_writeEnd.store(-1);
    delete m_notifier;
    ::close(m_readEnd);
    ::close(m_writeEnd);
}

void QuitSignals::readPipe()
{
    unsigned char bytes[64];
    int first = 0;
    ssize_t count = 0;
    // Everything waiting is read, so the pipe does not stay readable.
    while ((count = ::read(m_readEnd, bytes, sizeof bytes)) > 0 || (count < 0 && errno == EINTR)) {
        if (count > 0 && first == 0)
            first = bytes[0];
    }
    if (first == 0 || m_requested)
        return;
    m_requested = true;
    emit quitRequested(first);
}

} // namespace kalvon
