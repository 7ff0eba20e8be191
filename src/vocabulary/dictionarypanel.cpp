// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionarypanel.h"
#include "vocabularyrules.h"
#include "vocabularysearch.h"
#include "databound/datasource.h"
#include "databound/grid.h"
#include "tablestore/tableerror.h"
#include "widgets.h"
#include "databound/standardwidgets.h"
#include "core/fieldnames.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
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
    DBGrid1->setOrderIndicator(true);
    DBGrid1->setInPlaceEditing(true);
    // A double-click opens the word; typing over a cell or F2 still edits it.
    DBGrid1->setEditTriggers(DBGrid1->editTriggers() & ~QAbstractItemView::DoubleClicked);
    DBGrid1->installEventFilter(this);
    LTreffer = new QLabel(this);
    LTreffer->setObjectName(QStringLiteral("LTreffer"));
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
    layout->addWidget(LTreffer);
    setTabOrder(Eausl, SpeedButtonHilfe); // the help button stands in the search line

    connect(Edeutsch, &QLineEdit::textChanged, this, &DictionaryPanel::SearchGerman);
    connect(Eausl, &QLineEdit::textChanged, this, &DictionaryPanel::SearchForeign);
    connect(DBGrid1, &databound::Grid::titleClicked, this, [this](const QString& title) {
        source_->guard([&](ts::Table& t) { VocabularyRules::orderByColumnTitle(t, title); });
    });
    connect(DBGrid1, &databound::Grid::deleteRequested, this, [this] { rules_.deleteCurrentAsked(); });
    connect(DBGrid1, &databound::Grid::recordDoubleClicked, this, &DictionaryPanel::openRequested);
    connect(source_, &databound::DataSource::layoutChanged, this, &DictionaryPanel::showHits);
    connect(source_, &databound::DataSource::reset, this, &DictionaryPanel::showHits);
}

void DictionaryPanel::showHits() {
    const ts::Table* t = source_->table();
    if (!t || !t->isOpen() || !source_->isEnabled())
        return;
    const bool searching = !Edeutsch->text().isEmpty() || !Eausl->text().isEmpty();
    LTreffer->setText(VocabularySearch::countText(t->recordCount(), t->liveRecordCount(), searching));
}

bool DictionaryPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // The Enter that ends a cell's editing arrives here too, with the
        // record still pending: that one only saves the cell, as before.
        const ts::Table* t = source_->table();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && t && t->state() == ts::Table::State::Browse &&
            t->recNo() > 0) {
            emit openRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
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
        t.rankByMatch(field, text);
        t.setFiltered(true);
        t.first();
    });
}

void DictionaryPanel::SearchGerman() {
    search(core::field::kGerman, Edeutsch->text());
}
void DictionaryPanel::SearchForeign() {
    search(core::field::kForeign, Eausl->text());
}

} // namespace vocabulary
