// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

// Keeps a second copy of the program away from a data folder that one copy
// already works on. The lock lies beside the data folder, so taking it
// touches nothing inside.
class SingleInstance {
public:
    explicit SingleInstance(const QString& dataFolder);
    bool acquire();

private:
    std::unique_ptr<QLockFile> lock_;
};

// Turns SIGTERM, SIGINT and SIGHUP into a call of `onSignal` in the event
// loop, where the main window can save and close as usual. A later call only
// changes the receiver.
void routeTerminationSignals(std::function<void()> onSignal);
