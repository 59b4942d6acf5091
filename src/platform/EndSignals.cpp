#include "platform/EndSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tolvane {

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler has no context of its own: the pipe's end is the one thing it can
// reach, and writing to it is all it may safely do.
volatile sig_atomic_t g_signalPipe = -1;

void OnEndSignal(int number)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    if (g_signalPipe >= 0) {
        // A full pipe already holds an end to handle.
        const ssize_t written = ::write(g_signalPipe, &byte, 1);
        (void)written;
    }
    errno = saved;
}

} // namespace

EndSignals::EndSignals()
{
    // Without a pipe the signals keep their default action.
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_signalPipe = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &EndSignals::Drain);
    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kEndSignals) {
        struct sigaction before = {};
        if (::sigaction(number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        ::sigaction(number, &action, nullptr);
    }
}

EndSignals::~EndSignals()
{
    if (pipe_[0] < 0)
        return;
    for (int number : kEndSignals) {
        struct sigaction now = {};
        if (::sigaction(number, nullptr, &now) == 0 && now.sa_handler == OnEndSignal)
            ::signal(number, SIG_DFL);
    }
    g_signalPipe = -1;
    delete notifier_;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void EndSignals::Drain()
{
    unsigned char numbers[16];
    ssize_t count;
    while ((count = ::read(pipe_[0], numbers, sizeof numbers)) > 0) {
        for (ssize_t i = 0; i < count; ++i)
            Q_EMIT received(numbers[i]);
    }
}

QString EndSignals::Name(int signal)
{
    switch (signal) {
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGHUP:
        return QStringLiteral("SIGHUP");
    default:
        return QStringLiteral("signal %1").arg(signal);
    }
}

} // namespace tolvane
