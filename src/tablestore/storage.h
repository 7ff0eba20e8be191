// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "field.h"
#include "text.h"

#include <QVariant>
#include <cstdint>
#include <vector>

namespace ts {

using RowId = uint32_t;

// Texts of one column in one growing buffer: far less memory and far faster
// scans than one heap string per cell. A changed text is appended; the old
// characters become garbage until the next compaction.
class StringPool {
public:
    void clear();
    void reserve(size_t rows, size_t chars);
    size_t rows() const { return off_.size(); }
    text::View get(RowId r) const { return text::View(pool_.data() + off_[r], len_[r]); }
    void push(text::View v);
    void set(RowId r, text::View v);
    size_t bytes() const;
    void shrink();

private:
    void compactIfWasteful();
    std::vector<char16_t> pool_;
    std::vector<uint32_t> off_;
    std::vector<uint32_t> len_;
    size_t garbage_ = 0;
};

// The lower-cased texts of a column, row after row, separated by U+0000, so a
// case-insensitive "contains" can search the whole column in one pass.
struct FoldedText {
    std::vector<char16_t> chars;
    std::vector<uint32_t> start; // rows + 1 entries
    bool valid = false;
    text::View row(RowId r) const { return text::View(chars.data() + start[r], start[r + 1] - start[r] - 1); }
};

struct Column {
    FieldType type = FieldType::String;
    std::vector<uint8_t> null;
    std::vector<int32_t> ints;
    std::vector<double> floats;
    StringPool strings;

    // Derived data, built on demand and dropped or patched when a cell changes.
    mutable FoldedText folded;
    mutable StringPool sortKeys;
    mutable bool sortKeysValid = false;

    void pushNull();
    QVariant get(RowId r) const;
    void set(RowId r, const QVariant& v); // v already converted to the column type
    const FoldedText& foldedText() const;
    text::View sortKey(RowId r) const;
    void invalidateCaches();
};

// All stored rows of a table plus its field definitions. Deleted rows stay as
// tombstones until the table is loaded again, so row ids stay stable.
struct TableData {
    std::vector<FieldDef> fields;
    std::vector<int> columnOf; // field index -> column index, -1 for looked-up fields
    std::vector<Column> columns;
    std::vector<uint8_t> alive;
    uint32_t aliveCount = 0;

    uint32_t rowCount() const { return uint32_t(alive.size()); }
    void setFields(std::vector<FieldDef> defs);
    RowId appendRow();
    void removeRow(RowId r);
    size_t bytes() const;
    void shrink(); // after a load: give back what the growing vectors overshot
};

// Converts a value to the field's type; throws TableError on text that is no
// number for a numeric field.
QVariant convertForField(const FieldDef& f, const QVariant& v);

} // namespace ts
