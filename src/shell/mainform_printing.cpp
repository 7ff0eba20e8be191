// SPDX-License-Identifier: GPL-3.0-or-later
// Printing in the main window: the print dialogs and the preview panel.
#include "mainform.h"

namespace shell {

void Mainform::createPrintingWindows() {}
void Mainform::labelLanguagePrinting(const QString&) {}

void Mainform::PrintCommand(int kind) {
    if (visiblePanel() == PDruckvorschau)
        ResetView();
    printKind_ = kind;
}

} // namespace shell
