// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"
#include "core/windowhost.h"

#include <QDialog>

class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace users {

// "Sprache auswählen": lists the languages, creates a new one and switches
// the current language.
class SpracheF : public QDialog {
    Q_OBJECT
public:
    SpracheF(core::AppContext& ctx, core::WindowHost& host, QWidget* parent = nullptr);

    QGroupBox* RadioGroup1; // "Sprachen", two columns
    QPushButton* BHinzufuegen;
    QPushButton* BOK;
    QPushButton* BAbbrechen;
    QToolButton* SpeedButtonHilfe;

    QStringList entries() const;
    QString selected() const; // "" when no entry is selected
    void select(const QString& name);

    void FormShow();
    void BHinzufuegenClick();
    void BOKClick();
    // "Abbrechen", Escape and the close box: a language added meanwhile
    // keeps its file, the current language stays what it was.
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void restoreLanguage();

    void addEntry(const QString& name);
    void clearEntries();

    core::AppContext& ctx_;
    core::WindowHost& host_;
    QGridLayout* radios_;
    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
    QString before_; // the language loaded before the first "Hinzufügen"; "" when none was added
};

} // namespace users
