// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"
#include "core/windowhost.h"
#include "printing/printkind.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;

namespace users {
class SpracheF;
class benutzeranlegenF;
class benutzerbearbeitenF;
class BenutzerF;
class benutzerwechselnF;
class StatisticsPanel;
} // namespace users
namespace databound {
class DataSource;
class Grid;
} // namespace databound
namespace backup {
class DatenSichernF;
}
namespace printing {
class PrintChoiceDialog;
class PrintPreviewPanel;
class IPrinterProvider;
class IPrintUi;
} // namespace printing
// --- learning and testing
namespace training {
class TrainingArea;
}
// --- vocabulary, lessons and dictionary
namespace vocabulary {
class VocabularyRules;
class VocabularyEditor;
class VokabelnF;
class LessonPanel;
class VokabelLektionF;
class DictionaryPanel;
} // namespace vocabulary

namespace shell {

class AboutF;
class HelpWindow;
class WorkPanel;

// The one main window: navigation bar, menu, status bar and the work panels.
// Its create step runs in the constructor, its show step when it is first
// shown, its close step exactly once when it closes (close box, "Beenden",
// end of the desktop session or a termination signal).
class Mainform : public QMainWindow, public core::WindowHost {
    Q_OBJECT
public:
    explicit Mainform(core::AppContext& ctx, QWidget* parent = nullptr);
    // The dialogs, created after the main window as the program entry does;
    // the show step may then write into all of them.
    void createWindows();
    ~Mainform() override;

    core::AppContext& context() { return ctx_; }

    // Navigation bar and its buttons, left to right.
    QWidget* Panel1;
    QToolButton* SpeedButton2; // Lernen
    QToolButton* SpeedButton4; // Testen
    QToolButton* SpeedButton5; // Vokabeln
    QToolButton* SpeedButton6; // Lektionen
    QToolButton* SpeedButton1; // Karteikarten
    QToolButton* SpeedButton3; // Statistik
    QToolButton* SpeedButton9; // Sprache

    // Menu entries.
    QAction* SpracheWechseln1;
    QAction* DatenbankSichern1;
    QAction* Beenden1;
    QAction* BenutzerNeu1;
    QAction* BenutzerBearbeiten1;
    QAction* BenutzerLoeschen1;
    QAction* BenutzerWechseln1;
    QAction* BenutzerStatistik1;
    QAction* Vokabelverwaltung1;
    QAction* VokabelnTesten1;
    QAction* VokabelnLernen1;
    QAction* Woerterbuch1;
    QAction* Lektionsverwaltung1;
    QAction* Karteikarten1;
    QAction* Vokabelliste1;
    QAction* Vokabeltest1;
    QAction* Hilfe1;
    QAction* HandbuchImProgramm1; // the manual in the program's own help window
    QAction* Info1;

    // Work panels.
    WorkPanel* PLernen;
    WorkPanel* PTesten;
    WorkPanel* PVokabelverwaltung;
    WorkPanel* PLektionsverwaltung;
    WorkPanel* PWoerterbuch;
    WorkPanel* PBenutzerstatistik;
    WorkPanel* PDruckvorschau;

    QLabel* StatusPanel0; // current user
    QLabel* StatusPanel1; // current language
    QTimer* Timer1;       // the test run's one-second countdown
    // The one data source every view of the vocabulary draws from; switched
    // off by DetachVocabularyViews.
    databound::DataSource* vocabularySource;
    AboutF* aboutF = nullptr;

    // --- languages, users and backup
    users::SpracheF* spracheF = nullptr;
    backup::DatenSichernF* datenSichernF = nullptr;
    users::benutzeranlegenF* benutzeranlegenF = nullptr;
    users::benutzerbearbeitenF* benutzerbearbeitenF = nullptr;
    users::BenutzerF* benutzerF = nullptr;
    users::benutzerwechselnF* benutzerwechselnF = nullptr;
    users::StatisticsPanel* statistik = nullptr;
    // --- vocabulary, lessons and dictionary
    vocabulary::VocabularyRules* vocabularyRules = nullptr;
    vocabulary::VocabularyEditor* vokabelverwaltung = nullptr; // the content of PVokabelverwaltung
    vocabulary::VokabelnF* vokabelnF = nullptr;
    vocabulary::LessonPanel* lektionsverwaltung = nullptr;
    vocabulary::VokabelLektionF* vokabelLektionF = nullptr;
    vocabulary::DictionaryPanel* woerterbuch = nullptr;
    void ClosePanel(); // "Schließen" of the vocabulary panel

    // Writes the loaded vocabulary away and loads `language` as the current
    // user's language; on failure everything stays as it was.
    bool switchLanguage(const QString& language) override;

    // --- printing
    printing::PrintChoiceDialog* karteikartenDruckF = nullptr;
    printing::PrintChoiceDialog* vokabellisteDruckF = nullptr;
    printing::PrintChoiceDialog* vokabeltestDruckF = nullptr;
    printing::PrintPreviewPanel* druckvorschau = nullptr; // the contents of PDruckvorschau
    // Replaces the printer and the print dialogs (tests: a PDF printer and
    // scripted answers); the program keeps its own when this is not called.
    void usePrintServices(printing::IPrinterProvider* printer, printing::IPrintUi* ui);

    // --- learning and testing
    // The pool, the learn and test panels' content and their four dialogs.
    training::TrainingArea* training = nullptr;

    // --- operations other windows use
    void ResetView() override;
    void DetachVocabularyViews() override;
    void AttachVocabularyViews() override;
    bool vocabularyViewsAttached() const { return viewsAttached_; }
    void OpenManual(core::ManualPlace place) override;
    void showPanelOf(QWidget* content) override;
    void startSecondTimer() override;
    void stopSecondTimer() override;
    bool secondTimerActive() const override;
    void showCurrentUser() override;
    void beforeUserChanges() override;
    void previewPrint(printing::PrintKind kind, bool german) override;
    void inform(const QString& text) override;
    void ActivateLanguage();
    void LabelLanguage();
    void showUserAndLanguage();
    void PrintCommand(printing::PrintKind kind);
    printing::PrintChoiceDialog* printDialogOf(printing::PrintKind kind) const;
    int printKind() const { return printKind_ ? static_cast<int>(*printKind_) : 0; }
    WorkPanel* visiblePanel() const;
    // Status bar panel 1 and the language button's picture.
    void showLanguage(const QString& language);
    void showPanel(WorkPanel* panel); // ResetView, then show it

    // A grid whose column widths persist under `prefix` + field name.
    struct ColumnWidths {
        QString prefix;
        QStringList fields;
        std::function<int(const QString&)> width;
        std::function<void(const QString&, int)> setWidth;
    };
    void registerColumnWidths(ColumnWidths grid);
    void registerGridWidths(const QString& prefix, databound::Grid* grid);
    // Called by bulk passes and the views that follow the vocabulary.
    void addVocabularyViewsLink(std::function<void(bool)> link);

    // --- the three steps; public so tests and the signal handler reach them
    void FormCreate();
    void FormShow();
    bool FormClose(); // false when saving failed
    bool closeStepDone() const { return closed_; }
    // Runs the close step once; asks before giving up unsaved work.
    bool runCloseStepOnce();
    // A termination signal: the close step saves what it can and the program
    // ends even when saving failed, as nobody may be there to answer.
    void endOnSignal() { endingOnSignal_ = true; }

    // Menu and bar handlers.
    void Beenden1Click();
    void Hilfe1Click() { OpenManual(core::ManualPlace::Main); }
    void HandbuchImProgramm1Click();
    void Info1Click();

    // The program's own help window at the chapter for `window` (the main
    // window: for the panel it shows); made on first use.
    HelpWindow* showHelpWindow(const QWidget* window);
    // The manual's chapter for a window or the main window's visible panel.
    int manualChapterFor(const QWidget* window) const;
    void StatistikClick();
    void LernenClick();
    void TestenClick();
    void VokabelnClick();
    void LektionenClick();
    void WoerterbuchClick();
    // The dictionary's current word in the vocabulary dialog.
    void showWordInVocabularyDialog();
    void SpracheClick();
    void DatenbankSichernClick();
    void BenutzerNeuClick();
    void BenutzerBearbeitenClick();
    void BenutzerLoeschenClick();
    void BenutzerWechselnClick();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // Each area of the program wires its windows in its own file
    // (mainform_<area>.cpp): creation, and the language captions it shows.
    void createTrainingWindows();
    void labelLanguageTraining(const QString& L);
    void createVocabularyWindows();
    void labelLanguageVocabulary(const QString& L);
    void createUserWindows();
    void labelLanguageUsers(const QString& L);
    void createPrintingWindows();
    void labelLanguagePrinting(const QString& L);

    void buildMenu();
    void buildNavigationBar();
    void buildPanels();
    void openTableOrSetAside(ts::Table& table);
    void restoreWindow();
    void saveWindow();
    std::vector<ts::Table*> allTables();

    core::AppContext& ctx_;
    std::vector<WorkPanel*> panels_;
    std::vector<ColumnWidths> columnWidths_;
    std::vector<std::function<void(bool)>> viewsLinks_;
    bool viewsAttached_ = true;
    bool shown_ = false;
    bool closed_ = false;
    bool endingOnSignal_ = false;
    std::optional<printing::PrintKind> printKind_;
    QPointer<HelpWindow> helpWindow_;
};

} // namespace shell
