// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"
#include "core/windowhost.h"

#include <QDialog>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace databound {
class DataSource;
class Grid;
} // namespace databound

namespace vocabulary {

class VocabularyRules;
class VocabularySearch;
class VokabelnF;

// Fills the current lesson with vocabulary: every word on the left, the
// lesson's members on the right.
class VokabelLektionF : public QDialog {
    Q_OBJECT
public:
    VokabelLektionF(core::AppContext& ctx, VocabularyRules& rules, databound::DataSource* vocabularySource,
                    databound::DataSource* memberSource, VokabelnF* vocabularyDialog, core::WindowHost& host,
                    QWidget* parent = nullptr);

    VocabularySearch* Suche; // above DBGrid1
    databound::Grid* DBGrid1;
    QGroupBox* RadioGroup1; // Sortierung
    QPushButton* Button6;   // Hinzufügen
    databound::Grid* DBGrid3;
    QPushButton* Button5; // Löschen
    QPushButton* Button2; // Neue Vokabel
    QPushButton* Button4; // Schließen
    QToolButton* SpeedButtonHilfe;

    void setLanguage(const QString& language);
    QRadioButton* orderButton(int index) const;

    void AssignCurrent();
    void RemoveMember();
    void NewVocabularyForLesson();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Words the lesson holds already are skipped.
    void addToLesson(const std::vector<int>& vocabularyIds, int lessonId);

    core::AppContext& ctx_;
    VocabularyRules& rules_;
    databound::DataSource* vocabularySource_;
    databound::DataSource* memberSource_;
    VokabelnF* vocabularyDialog_;
    QButtonGroup* orderButtons_;
};

} // namespace vocabulary
