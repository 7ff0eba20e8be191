// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"
#include "core/windowhost.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace databound {
class ComboBox;
class DataSource;
class Edit;
class Grid;
class RadioGroup;
} // namespace databound

namespace vocabulary {

class VocabularyRules;
class VocabularySearch;

// The fields, buttons and grid of one vocabulary record, as the panel and
// the dialog both show them; the two differ in the German caption, the
// foreign label, the type-ahead of the grid and what "Schließen" does.
class VocabularyEditor : public QWidget {
    Q_OBJECT
public:
    enum class Variant { Panel, Dialog };

    VocabularyEditor(core::AppContext& ctx, VocabularyRules& rules, databound::DataSource* source, Variant variant,
                     core::WindowHost& host, QWidget* parent = nullptr);

    databound::Edit* DBEditID;
    databound::Edit* DBEdit1; // deutsch
    QLabel* LauslaendischVok; // the language's name, or "Englisch" in the dialog
    databound::Edit* DBEdit2; // auslaendisch
    databound::ComboBox* CBSachgruppe;
    databound::Edit* DBEdit5; // Bemerkung
    databound::RadioGroup* RGSchwierigkeitsgrad;
    databound::RadioGroup* RGGattung;
    VocabularySearch* Suche;  // above the grid
    databound::Grid* DBGrid2; // named DBGrid1 in the dialog
    QPushButton* BNeu;
    QPushButton* BSpeichern;
    QPushButton* BSchliessenVersteckjt; // the hidden button Enter stands for
    QPushButton* Button13;              // Löschen
    QPushButton* Button15;              // Schließen
    QToolButton* SpeedButtonHilfe;

    // The language's name on the foreign column (and the panel's label).
    void setLanguage(const QString& language);
    void setSubjectGroups(const QStringList& groups);

    void NewVocabulary();
    void SaveAndNext();
    void DeleteVocabulary();

signals:
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build(core::WindowHost& host);
    void focusGerman();

    core::AppContext& ctx_;
    VocabularyRules& rules_;
    databound::DataSource* source_;
    Variant variant_;
};

} // namespace vocabulary
