// SPDX-License-Identifier: GPL-3.0-or-later
// Languages, users and backup in the main window.
#include "mainform.h"

namespace shell {

void Mainform::createUserWindows() {}
void Mainform::labelLanguageUsers(const QString&) {}
void Mainform::SpracheClick() {}
void Mainform::DatenbankSichernClick() {}
void Mainform::BenutzerNeuClick() {}
void Mainform::BenutzerBearbeitenClick() {}
void Mainform::BenutzerLoeschenClick() {}
void Mainform::BenutzerWechselnClick() {}

} // namespace shell
