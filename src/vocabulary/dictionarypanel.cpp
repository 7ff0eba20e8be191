// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionarypanel.h"
#include "vocabularyrules.h"
#include "vocabularysearch.h"
#include "databound/datasource.h"
#include "databound/grid.h"
#include "tablestore/tableerror.h"
#include "widgets.h"
#include "databound/standardwidgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace vocabulary {

DictionaryPanel::DictionaryPanel(core::AppContext& ctx, VocabularyRules& rules, databound::DataSource* source,
                                 core::WindowHost& host, QWidget* parent)
    : QWidget(parent), ctx_(ctx), rules_(rules), source_(source) {
    setObjectName(QStringLiteral("Woerterbuch"));
    Edeutsch = new QLineEdit(this);
    Edeutsch->setObjectName(QStringLiteral("Edeutsch"));
    Eausl = new QLineEdit(this);
    Eausl->setObjectName(QStringLiteral("Eausl"));
    Lauslaendisch = new QLabel(QStringLiteral("Englisch"), this);
    Lauslaendisch->setObjectName(QStringLiteral("Lauslaendisch"));
    DBGrid1 = new databound::Grid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(source);
    DBGrid1->setColumns(vocabularyGridColumns());
    DBGrid1->setInPlaceEditing(true);
    SpeedButtonHilfe = databound::helpButton(this, "SpeedButtonHilfe", host, core::ManualPlace::Main);

    auto* boxes = new QGridLayout;
    boxes->addWidget(new QLabel(QStringLiteral("deutsch"), this), 0, 0);
    boxes->addWidget(Edeutsch, 0, 1);
    boxes->addWidget(Lauslaendisch, 0, 2);
    boxes->addWidget(Eausl, 0, 3);
    boxes->addWidget(SpeedButtonHilfe, 0, 4);
    boxes->setColumnStretch(1, 1);
    boxes->setColumnStretch(3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(boxes);
    layout->addWidget(DBGrid1, 1);
    setTabOrder(Eausl, SpeedButtonHilfe); // the help button stands in the search line

    connect(Edeutsch, &QLineEdit::textChanged, this, &DictionaryPanel::SearchGerman);
    connect(Eausl, &QLineEdit::textChanged, this, &DictionaryPanel::SearchForeign);
    connect(DBGrid1, &databound::Grid::titleClicked, this, [this](const QString& title) {
        source_->guard([&](ts::Table& t) { VocabularyRules::orderByColumnTitle(t, title); });
    });
    connect(DBGrid1, &databound::Grid::deleteRequested, this, [this] { rules_.deleteCurrentAsked(); });
}

void DictionaryPanel::setLanguage(const QString& language) {
    Lauslaendisch->setText(language);
    DBGrid1->setColumnTitle(1, language);
}

void DictionaryPanel::search(const QString& field, const QString& text) {
    const QString expression = VocabularySearch::containsFilter({field}, text);
    source_->guard([&](ts::Table& t) {
        t.setFilterCaseInsensitive(true);
        t.setFilter(expression);
        t.setFiltered(true);
        t.first();
    });
}

void DictionaryPanel::SearchGerman() {
    search(QStringLiteral("Deutsch"), Edeutsch->text());
}
void DictionaryPanel::SearchForeign() {
    search(QStringLiteral("Auslaendisch"), Eausl->text());
}

} // namespace vocabulary
