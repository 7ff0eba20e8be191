// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"
#include "core/windowhost.h"

#include <QWidget>

class QPushButton;
class QToolButton;

namespace databound {
class DataSource;
class Grid;
class LookupListBox;
} // namespace databound

namespace vocabulary {

class VokabelLektionF;

// The lessons of the current language and the words assigned to each.
class LessonPanel : public QWidget {
    Q_OBJECT
public:
    LessonPanel(core::AppContext& ctx, core::WindowHost& host, QWidget* parent = nullptr);

    databound::DataSource* lessonSource;
    databound::DataSource* memberSource;
    databound::LookupListBox* DBLookupListBox3;
    databound::Grid* DBGrid3;
    QPushButton* Button17;         // Neue Lektion
    QPushButton* BLektionUmbennen; // Umbenennen
    QPushButton* BLektionLoeschen; // Lektion Löschen
    QPushButton* Button19;         // Hinzufügen
    QPushButton* Button20;         // Löschen
    QPushButton* Button16;         // Schließen
    QToolButton* SpeedButtonHilfe;

    void setAssignmentDialog(VokabelLektionF* dialog) { assignment_ = dialog; }
    void setLanguage(const QString& language);
    // After the view was reset: the lessons of `language` only.
    void prepare(const QString& language);

    void SelectLesson();
    void NewLesson();
    void RenameLesson();
    void DeleteLesson();
    void AddMembers();
    void RemoveMember();

signals:
    void closeRequested();

private:
    bool isAllVocabularyLesson() const;
    void followLesson();
    void filterMembersToLesson();
    // An empty name or one the language already has is refused with a message.
    bool nameAcceptable(const QString& name, int exceptLessonId);

    core::AppContext& ctx_;
    VokabelLektionF* assignment_ = nullptr;
    QString language_;
};

} // namespace vocabulary
