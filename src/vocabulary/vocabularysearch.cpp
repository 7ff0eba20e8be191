// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabularysearch.h"
#include "core/fieldnames.h"
#include "databound/datasource.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace vocabulary {

VocabularySearch::VocabularySearch(databound::DataSource* source, QWidget* parent) : QWidget(parent), source_(source) {
    ESuchen = new QLineEdit(this);
    ESuchen->setObjectName(QStringLiteral("ESuchen"));
    ESuchen->setPlaceholderText(QStringLiteral("Suchen …"));
    ESuchen->setClearButtonEnabled(true);
    ESuchen->installEventFilter(this);
    LAnzahl = new QLabel(this);
    LAnzahl->setObjectName(QStringLiteral("LAnzahl"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ESuchen, 1);
    layout->addWidget(LAnzahl);

    connect(ESuchen, &QLineEdit::textChanged, this, &VocabularySearch::search);
    connect(source_, &databound::DataSource::layoutChanged, this, &VocabularySearch::showCount);
    connect(source_, &databound::DataSource::reset, this, &VocabularySearch::showCount);
    showCount();
}

QString VocabularySearch::containsFilter(const QStringList& fields, const QString& text) {
    const QString pattern = ts::Table::quoted(u'%' + text + u'%');
    QStringList parts;
    for (const QString& f : fields)
        parts << f + QStringLiteral(" LIKE ") + pattern;
    return parts.join(QStringLiteral(" OR "));
}

QString VocabularySearch::countText(int shown, int total, bool searching) {
    const QLocale german(QLocale::German, QLocale::Germany);
    if (searching)
        return QStringLiteral("%1 von %2 Vokabeln").arg(german.toString(shown), german.toString(total));
    return total == 1 ? QStringLiteral("1 Vokabel") : QStringLiteral("%1 Vokabeln").arg(german.toString(total));
}

bool VocabularySearch::filterStillOurs() const {
    const ts::Table* t = source_->table();
    return t && t->isOpen() && t->isFiltered() && t->filter() == applied_;
}

void VocabularySearch::search(const QString& text) {
    if (text.isEmpty()) {
        end();
        return;
    }
    ts::Table* t = source_->table();
    if (!t || !t->isOpen())
        return;
    if (searching_ && !filterStillOurs())
        searching_ = false; // the view was reset meanwhile: what stands now is the window's filter
    if (!searching_) {
        baseFilter_ = t->filter();
        baseFiltered_ = t->isFiltered() && !baseFilter_.trimmed().isEmpty();
        baseCaseInsensitive_ = t->isFilterCaseInsensitive();
        baseCount_ = t->recordCount();
    }
    const QString contains = containsFilter({core::field::kGerman, core::field::kForeign}, text);
    const QString expression = baseFiltered_ ? QStringLiteral("(%1) AND (%2)").arg(baseFilter_, contains) : contains;
    const bool ok = source_->guard([&](ts::Table& t) {
        t.setFilterCaseInsensitive(true);
        t.setFilter(expression);
        t.setFiltered(true);
        t.first();
    });
    if (ok) {
        searching_ = true;
        applied_ = expression;
    }
    showCount();
}

void VocabularySearch::end() {
    if (!searching_)
        return;
    searching_ = false;
    if (filterStillOurs()) {
        source_->guard([&](ts::Table& t) {
            t.settle();
            const QVariant key = t.recNo() > 0 ? t.value(core::field::kId) : QVariant();
            // Filter off first, so the old filter text and letter case are
            // put back without a pass over the rows they would not show.
            if (!baseFiltered_)
                t.setFiltered(false);
            t.setFilter(baseFilter_);
            t.setFilterCaseInsensitive(baseCaseInsensitive_);
            if (baseFiltered_)
                t.setFiltered(true);
            if (key.isValid())
                t.locate(core::field::kId, key);
        });
    }
    showCount();
}

void VocabularySearch::clear() {
    ESuchen->clear();
    end(); // also when the field was empty but the search still noted
}

void VocabularySearch::showCount() {
    const ts::Table* t = source_->table();
    if (!t || !t->isOpen() || !source_->isEnabled())
        return;
    // While someone else's view stands (a dialog opened from here looks at
    // all words for a while), the count is that view's.
    const bool ours = searching_ && filterStillOurs();
    const int total = ours ? (baseFiltered_ ? baseCount_ : t->liveRecordCount()) : t->recordCount();
    LAnzahl->setText(countText(t->recordCount(), total, ours));
}

bool VocabularySearch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ESuchen && !ESuchen->text().isEmpty() &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // Escape empties a filled field; an empty one leaves the key to the window (a dialog closes).
        event->accept();
        if (event->type() == QEvent::KeyPress)
            clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void VocabularySearch::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A window that closes leaves the grid's view as it found it.
    if (!event->spontaneous())
        clear();
}

} // namespace vocabulary
