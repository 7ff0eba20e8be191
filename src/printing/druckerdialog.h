// SPDX-License-Identifier: GPL-3.0-or-later
// The three print dialogs ("Karteikarten drucken", "Vokabelliste drucken",
// "Vokabeltest drucken"): which words are printed and in which order.
#pragma once

#include "printkind.h"
#include "core/windowhost.h"

#include <QDialog>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace ts {
class Table;
}
namespace core {
class Database;
}

namespace printing {

// What the dialog chose.
struct PrintSelection {
    bool substantiv = true, verb = true, adjektiv = true, sonstiges = true;
    bool level1 = true, level2 = true, level3 = true;
    QStringList subjectGroups; // the selected entries, in list order
    // A lesson other than "ALLE VOKABELN": only the words with these IDs
    // (ascending).
    bool wholeVocabulary = true;
    std::vector<int> lessonWords;
};

// The filter text for a selection. Subject groups are written as quoted
// literals, so any name (a quote included) selects exactly its records. A
// group with nothing chosen selects no record.
QString buildPrintFilter(const PrintSelection& selection);

// The index field of each "Sortierung" item.
QString printSortField(int item);

class PrintChoiceDialog : public QDialog {
    Q_OBJECT
public:
    PrintChoiceDialog(PrintKind kind, ts::Table& vocabulary, core::WindowHost& host, QWidget* parent = nullptr);

    PrintKind kind() const { return kind_; }

    QGroupBox* GroupGattung;
    QCheckBox* CBSubstantiv;
    QCheckBox* CBVerb;
    QCheckBox* CBAdjektiv;
    QCheckBox* CBsonstiges;
    QGroupBox* GroupSchwierigkeitsgrad;
    QCheckBox* CB1;
    QCheckBox* CB2;
    QCheckBox* CB3;
    QGroupBox* GroupLektion; // "Lektion"
    QComboBox* CBLektion;
    QGroupBox* GroupSachgruppe;
    QListWidget* ListBox1;
    QPushButton* BAlle;     // selects every subject group
    QPushButton* BKeine;    // selects none
    QGroupBox* RadioGroup1; // "Sortierung"
    QList<QRadioButton*> SortItems;
    QGroupBox* RadioGroup2 = nullptr; // "Sprache", test dialog only
    QRadioButton* RBDeutsch = nullptr;
    QRadioButton* RBAuslaendisch = nullptr;
    QGroupBox* GroupKarteikarten = nullptr; // flash-card dialog only, never shown
    QSpinBox* ERechts = nullptr;
    QSpinBox* EOben = nullptr;
    QCheckBox* CBLoesungsblatt = nullptr; // test dialog only: "Lösungsblatt", off by default
    QPushButton* Button1;                 // "Vorschau"
    QPushButton* Button2;                 // "Abbrechen"
    QToolButton* SpeedButtonHilfe;

    // The flash-card grid: columns and rows (3 x 6 without the dialog).
    int cardColumns() const;
    int cardRows() const;

    int sortItem() const;
    void setSortItem(int item);
    // The current language's name on the items that name it.
    void setLanguageName(const QString& language);

    // Where the lessons come from; without it the combo box offers only
    // "ALLE VOKABELN".
    void setLessonSource(core::Database* db);
    QString lessonName() const;
    bool answerKey() const;

    PrintSelection selection() const;
    // The subject groups in list order, the blank one as "".
    QStringList subjectGroupEntries() const;

    void FormShow();
    void Button1Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    QCheckBox* addCheck(QGroupBox* box, const char* name, const QString& caption);
    void fillSubjectGroups();
    void fillLessons();

    PrintKind kind_;
    ts::Table& vocabulary_;
    core::WindowHost& host_;
    core::Database* db_ = nullptr;
    QButtonGroup* sortGroup_;
};

// The three forms of the dialog, one per kind of print.
class DruckerDialogF : public PrintChoiceDialog {
public:
    DruckerDialogF(ts::Table& vocabulary, core::WindowHost& host, QWidget* parent = nullptr)
        : PrintChoiceDialog(PrintKind::FlashCards, vocabulary, host, parent) {}
};

class DruckerDialogListeF : public PrintChoiceDialog {
public:
    DruckerDialogListeF(ts::Table& vocabulary, core::WindowHost& host, QWidget* parent = nullptr)
        : PrintChoiceDialog(PrintKind::List, vocabulary, host, parent) {}
};

class DruckerDialogtestF : public PrintChoiceDialog {
public:
    DruckerDialogtestF(ts::Table& vocabulary, core::WindowHost& host, QWidget* parent = nullptr)
        : PrintChoiceDialog(PrintKind::Test, vocabulary, host, parent) {}
};

} // namespace printing
