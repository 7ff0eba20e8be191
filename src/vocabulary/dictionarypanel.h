// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"
#include "core/windowhost.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace databound {
class DataSource;
class Grid;
} // namespace databound

namespace vocabulary {

class VocabularyRules;

// Looks words up: each box narrows the grid to the words containing its
// text, whatever the letter case; the word itself comes first, then the
// words beginning with it.
class DictionaryPanel : public QWidget {
    Q_OBJECT
public:
    DictionaryPanel(core::AppContext& ctx, VocabularyRules& rules, databound::DataSource* source,
                    core::WindowHost& host, QWidget* parent = nullptr);

    QLineEdit* Edeutsch;
    QLabel* Lauslaendisch;
    QLineEdit* Eausl;
    databound::Grid* DBGrid1;
    QLabel* LTreffer; // the number of hits
    QToolButton* SpeedButtonHilfe;

    void setLanguage(const QString& language);
    void SearchGerman();
    void SearchForeign();

signals:
    // Double-click or Enter on a hit: show the current word in the vocabulary dialog.
    void openRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showHits();
    void search(const QString& field, const QString& text);

    core::AppContext& ctx_;
    VocabularyRules& rules_;
    databound::DataSource* source_;
};

} // namespace vocabulary
