// SPDX-License-Identifier: GPL-3.0-or-later
#include "choicefill.h"
#include "answercheck.h"
#include "tablestore/cursorguard.h"
#include "core/fieldnames.h"

namespace training {

namespace {

// Random picks from the lesson before the systematic search starts.
constexpr int kRandomTries = 30;

class Collector {
public:
    Collector(QStringList accepted) : accepted_(std::move(accepted)) {}
    bool full() const { return found_.size() >= 3; }
    const QStringList& found() const { return found_; }
    void offer(const QString& word) {
        if (full() || word.trimmed().isEmpty())
            return;
        auto same = [&](const QString& w) { return sameAnswer(word, w); };
        if (std::any_of(accepted_.begin(), accepted_.end(), same) || std::any_of(found_.begin(), found_.end(), same))
            return;
        found_ << word.trimmed();
    }

private:
    QStringList accepted_;
    QStringList found_;
};

// Walks all rows of a table's view once, from a random row on.
void sweep(const ts::Table& table, int field, int start, Collector& c) {
    const int n = table.recordCount();
    for (int i = 0; i < n && !c.full(); ++i)
        c.offer(table.valueAt((start + i) % n, field).toString());
}

// Offers the answers of the lesson's words of `kind`, drawn as the usual
// captions are: random picks, then one sweep from a random row.
void offerSameKind(const ts::Table& members, ts::Table& vocabulary, core::RandomSource& random, const QString& kind,
                   int direction, Collector& c) {
    const auto guard = ts::CursorGuard::byKey(vocabulary, core::field::kId, ts::CursorGuard::Rows::All);
    const int idField = members.field(core::field::kVocabularyId);
    const QString answer = answerField(direction);
    auto offerRow = [&](int row) {
        if (vocabulary.locate(core::field::kId, members.valueAt(row, idField)) &&
            vocabulary.text(core::field::kGender) == kind)
            c.offer(vocabulary.text(answer));
    };
    const int n = members.recordCount();
    for (int t = 0; t < kRandomTries && n > 0 && !c.full(); ++t)
        offerRow(random.below(n));
    const int start = n > 0 ? random.below(n) : 0;
    for (int i = 0; i < n && !c.full(); ++i)
        offerRow((start + i) % n);
}

} // namespace

Choices ChoiceFill(Pool& pool, ts::Table& vocabulary, core::RandomSource& random, int vocabularyId, int direction,
                   bool sameKind) {
    Choices result;
    const int slot = random.below(4);
    QString right;
    QString kind;
    QStringList accepted;
    {
        const auto guard = ts::CursorGuard::byKey(vocabulary, core::field::kId, ts::CursorGuard::Rows::All);
        if (vocabulary.locate(core::field::kId, vocabularyId)) {
            right = vocabulary.text(answerField(direction));
            accepted = meaningsOf(vocabulary, vocabulary.text(questionField(direction)), direction).words;
            kind = vocabulary.text(core::field::kGender);
        }
    }
    accepted << right;
    Collector c(accepted);

    const ts::Table& members = pool.members();
    if (sameKind && !kind.isEmpty())
        offerSameKind(members, vocabulary, random, kind, direction, c);
    const int lookupField = members.field(direction == 0 ? core::field::kMemberForeign : core::field::kMemberGerman);
    const int n = pool.size();
    for (int t = 0; t < kRandomTries && n > 0 && !c.full(); ++t)
        c.offer(members.valueAt(random.below(n), lookupField).toString());
    if (!c.full() && n > 0)
        sweep(members, lookupField, random.below(n), c);
    if (!c.full()) {
        const auto guard = ts::CursorGuard::byKey(vocabulary, core::field::kId, ts::CursorGuard::Rows::All);
        const int all = vocabulary.recordCount();
        sweep(vocabulary, vocabulary.field(answerField(direction)), all > 0 ? random.below(all) : 0, c);
    }

    // The shown buttons are the first ones; the right answer is among them.
    const int shown = 1 + int(c.found().size());
    result.rightSlot = slot % shown;
    int d = 0;
    for (int s = 0; s < shown; ++s)
        result.captions[size_t(s)] = s == result.rightSlot ? right : c.found()[d++];
    return result;
}

} // namespace training
