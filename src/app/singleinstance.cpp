// SPDX-License-Identifier: GPL-3.0-or-later
#include "singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <functional>
#include <sys/socket.h>
#include <unistd.h>

SingleInstance::SingleInstance(const QString& dataFolder) {
    QString folder = QDir::cleanPath(dataFolder);
    QDir().mkpath(QFileInfo(folder).absolutePath());
    lock_ = std::make_unique<QLockFile>(folder + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0); // only a lock of a process that is gone is stale
}

bool SingleInstance::acquire() {
    return lock_->tryLock(0);
}

namespace {
int signalPipe[2] = {-1, -1};
std::function<void()> signalHandler;

void onUnixSignal(int) {
    const int saved = errno;
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[0], &c, 1);
    errno = saved;
}
} // namespace

void routeTerminationSignals(std::function<void()> onSignal) {
    signalHandler = std::move(onSignal);
    if (signalPipe[0] >= 0)
        return; // routed already; only the receiver changed
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char c;
        [[maybe_unused]] const auto n = ::read(signalPipe[1], &c, 1);
        if (signalHandler)
            signalHandler();
    });
    struct sigaction sa = {};
    sa.sa_handler = onUnixSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    // A closed terminal or a lost remote session ends the program as a
    // shutdown does: with its close step.
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &sa, nullptr);
}
