// SPDX-License-Identifier: GPL-3.0-or-later
// The filtered view and its ranking: the word itself, the words beginning
// with it, the rest.
#include "table.h"

namespace ts {

void Table::fillView(const std::vector<RowId>& hits) {
    std::vector<uint8_t> mark(data_.rowCount(), 0);
    for (RowId r : hits)
        mark[r] = uint8_t(ranked() ? 1 + rankOf(r) : 1);
    view_.clear();
    view_.reserve(hits.size());
    for (uint8_t group = 1; group <= (ranked() ? 3 : 1); ++group)
        for (RowId r : ordered_)
            if (mark[r] == group)
                view_.push_back(r);
}

void Table::rankByMatch(const QString& fieldName, const QString& text) {
    const int f = text.isEmpty() ? -1 : field(fieldName); // throws on an unknown field
    if (isOpen())
        settle();
    rankField_ = f;
    rankFieldName_ = f < 0 ? QString() : fieldName;
    rankText_ = f < 0 ? QString() : text;
    rankFolded_ = text::lowered(text::view(rankText_));
    if (!isOpen() || !filtered_ || !filter_)
        return;
    // The same records in another sequence: no filter pass.
    const bool hadRow = cur_ >= 0 && size_t(cur_) < view_.size();
    const RowId keep = hadRow ? view_[size_t(cur_)] : 0;
    fillView(std::vector<RowId>(view_));
    posValid_ = false;
    if (hadRow) {
        ensureViewPositions();
        cur_ = posOfRow_[keep];
    }
    emit layoutChanged();
    emit currentChanged();
}

int Table::rankOf(RowId row) const {
    const int ci = data_.columnOf[size_t(rankField_)];
    std::u16string lookedUp;
    text::View folded;
    if (ci >= 0 && data_.columns[size_t(ci)].type == FieldType::String) {
        const Column& c = data_.columns[size_t(ci)];
        if (c.null[row])
            return 2;
        folded = c.foldedText().row(row);
    } else {
        lookedUp = text::lowered(text::view(storedOrLookup(row, rankField_).toString()));
        folded = lookedUp;
    }
    if (!folded.starts_with(rankFolded_))
        return 2;
    return folded.size() == rankFolded_.size() ? 0 : 1;
}

bool Table::viewLess(RowId a, RowId b) const {
    if (ranked()) {
        const int ra = rankOf(a), rb = rankOf(b);
        if (ra != rb)
            return ra < rb;
    }
    return less(a, b);
}

} // namespace ts
