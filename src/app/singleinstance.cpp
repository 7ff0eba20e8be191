// SPDX-License-Identifier: GPL-3.0-or-later
#include "singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
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

bool SingleInstance::acquire() { return lock_->tryLock(0); }

namespace {
int signalPipe[2] = {-1, -1};

void onUnixSignal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[0], &c, 1);
}
} // namespace

void routeTerminationSignals(std::function<void()> onSignal) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onSignal = std::move(onSignal)] {
        char c;
        [[maybe_unused]] const auto n = ::read(signalPipe[1], &c, 1);
        onSignal();
    });
    struct sigaction sa = {};
    sa.sa_handler = onUnixSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}
