// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "field.h"
#include "filter.h"
#include "storage.h"
#include "wholefile.h"

#include <QObject>
#include <QVariant>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace ts {

// One in-memory table with a cursor: the engine every window works on.
//
// The current view is the live rows in the current ordering, restricted by
// the filter when it is switched on. The cursor is a position in that view.
// A record is changed by edit() or insert(), setValue() and post(); a pending
// record that is moved away from, re-ordered or re-filtered is posted when a
// field was changed and discarded otherwise.
class Table : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    enum class Format { Xml, Compact };
    enum class HookKind { AfterInsert, AfterEdit, BeforePost, AfterPost };
    using Hook = std::function<void(Table&)>;

    explicit Table(QString name, QObject* parent = nullptr);
    ~Table() override;

    const QString& name() const { return name_; }

    // --- field definitions (only while closed)
    void clearFields();
    void addField(const QString& name, FieldType type, int size = 0);
    void addLookupField(const QString& name, FieldType type, int size, const QString& keyField, const Table* source,
                        const QString& sourceKeyField, const QString& resultField);
    const std::vector<FieldDef>& fields() const;
    int fieldIndex(const QString& name) const; // -1 when unknown, any letter case
    int field(const QString& name) const;
    // The label a field is shown with; kept across loads of the table.
    void setDisplayLabel(const QString& field, const QString& label);
    QString displayLabel(const QString& field) const; // throws TableError when unknown

    // --- life cycle
    void createDataSet(); // open with the defined fields and no rows
    void open();          // from the bound file when it exists, else empty
    void close();         // writes the bound file when needed, discards a pending record
    bool isOpen() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    void setFileName(const QString& path) { fileName_ = path; }
    const QString& fileName() const { return fileName_; }
    bool hasUnsavedChanges() const { return changed_; }

    // --- files and buffers; ".xml" in any letter case means the XML form
    // Throws DamagedFile for a file that is no regular file, larger than
    // `maxBytes` or malformed, TableError when it cannot be read at all.
    void loadFromFile(const QString& path, qint64 maxBytes = kMaxTableFileBytes);
    void loadFromBuffer(const QByteArray& bytes);
    void saveToFile(const QString& path);
    QByteArray saveToBuffer(Format format);
    static Format formatFor(const QString& path);
    // The bound file was written by someone else from saveToBuffer().
    void markSaved() { changed_ = false; }

    // --- cursor
    int recordCount() const;
    // Every live record, whatever the filter lets through.
    int liveRecordCount() const { return isOpen() ? int(ordered_.size()) : 0; }
    bool isEmpty() const { return recordCount() == 0; }
    void first();
    void last();
    void next();
    void prior();
    int moveBy(int distance);
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    int recNo() const; // 1-based position in the view, 0 without a current record
    void setRecNo(int recNo);
    int currentIndex() const { return cur_; } // 0-based, -1 without a current record

    // --- values of the current record (the pending one while editing)
    QVariant value(int field) const;
    QVariant value(const QString& name) const { return value(this->field(name)); }
    QString text(const QString& name) const { return value(name).toString(); }
    int integer(const QString& name) const { return value(name).toInt(); }
    double number(const QString& name) const { return value(name).toDouble(); }
    bool isNull(const QString& name) const;
    void setValue(int field, const QVariant& v);
    void setValue(const QString& name, const QVariant& v) { setValue(this->field(name), v); }
    // Any record of the view without moving the cursor (for grids).
    QVariant valueAt(int viewIndex, int field) const;

    // --- editing
    void insert();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    bool isModified() const { return modified_; }
    void settle(); // post when modified, else cancel
    // Many inserts in a row: new records are placed in the ordering once, at
    // the end, and views hear of the change once. Nesting is counted.
    void beginBulkInsert();
    void endBulkInsert();
    bool inBulkInsert() const { return bulk_ > 0; }
    void addHook(HookKind kind, Hook hook);

    // --- ordering, filter, locate
    // "Name;Sprache"; a field followed by " DESC" orders from the largest
    // value down ("deutsch DESC;ID"). Records the ordering finds equal
    // follow `tieBreak`, ascending, then the order they were added in; an
    // ordering set without one has none, so a tie-break chosen for a grid
    // never reaches an ordering made elsewhere (a printout). Throws on an
    // unknown field, keeping the old ordering.
    void setOrder(const QString& fieldList, const QString& tieBreak = {});
    const QString& order() const { return orderText_; }
    // The same ordering with another tie-break; empty: none.
    void setTieBreak(const QString& field);
    const QString& tieBreak() const { return tieText_; }
    // One part of an ordering: its field name and whether it goes downwards.
    static std::pair<QString, bool> orderPart(const QString& part);
    void setFilter(const QString& expression); // throws on a malformed one, keeping the old
    const QString& filter() const { return filterText_; }
    void setFiltered(bool on);
    bool isFiltered() const { return filtered_; }
    void setFilterCaseInsensitive(bool on);
    bool isFilterCaseInsensitive() const { return filterCi_; }
    // Within the filtered view, the records whose `field` is `text` come
    // first, then those beginning with it, then the rest, each group in the
    // ordering; letter case is ignored. An empty text, or another filter
    // text, ends it. The unfiltered view keeps the plain ordering.
    void rankByMatch(const QString& field, const QString& text);
    const QString& rankField() const { return rankFieldName_; }
    const QString& rankText() const { return rankText_; }
    bool locate(const QString& fieldList, const QVariantList& values);
    bool locate(const QString& fieldList, std::initializer_list<QVariant> values) {
        return locate(fieldList, QVariantList(values));
    }
    bool locate(const QString& field, const QVariant& value) { return locate(field, QVariantList{value}); }
    bool locatePrefix(const QString& field, const QString& prefix); // case-insensitive
    static QString quoted(QStringView text) { return quoteLiteral(text); }

    // The value of `resultField` in the first live record whose `keyField`
    // equals `key`, over all rows regardless of filter; null when none.
    QVariant lookup(int keyField, const QVariant& key, int resultField) const;
    // How many live records hold `value` in `field`, regardless of filter;
    // an integer field answers from its index without a pass over the rows.
    int countOf(const QString& field, const QVariant& value) const;
    // The largest value of an integer field over all live rows (0 when none).
    int maxInteger(const QString& field) const;

    size_t memoryBytes() const;

signals:
    void layoutChanged();         // the rows of the view changed
    void currentChanged();        // another current record, or another state
    void valueChanged(int field); // a field of the pending record changed

private:
    struct IntIndex {
        std::unordered_multimap<int32_t, RowId> map;
    };

    void requireOpen() const;
    void requireEditing() const;
    void checkedLoad(const QByteArray& bytes);
    void adoptData(TableData&& data);
    void rebuildView(bool keepCurrent, bool resort);
    void placeRow(RowId row, bool isNew);
    // view_ from the filter's hits, in the ordering (and the ranking).
    void fillView(const std::vector<RowId>& hits);
    bool less(RowId a, RowId b) const;
    bool ranked() const { return rankField_ >= 0; }
    int rankOf(RowId row) const; // 0 the same text, 1 beginning with it, 2 the rest
    bool viewLess(RowId a, RowId b) const;
    void sortRows(std::vector<RowId>& rows) const;
    void sortRowsBy(std::vector<RowId>& rows, const std::vector<int>& fields, const std::vector<bool>& downs,
                    const std::vector<int32_t>* tieRank) const;
    int compareField(int field, RowId a, RowId b) const;
    std::vector<RowId> allRowsAscending() const;
    void ensureViewPositions() const;
    const IntIndex& intIndex(int column) const;
    void indexRow(RowId row, bool add);
    QVariant storedOrLookup(RowId row, int field) const;
    QVariant lookupFor(int field, const QVariant& key) const;
    void compileFilter(const QString& text, bool ci);
    void setCursor(int index);

    QString name_;
    QString fileName_;
    std::vector<FieldDef> defined_;
    TableData data_;
    State state_ = State::Inactive;
    bool changed_ = false;
    int bulk_ = 0;

    std::vector<RowId> ordered_; // all live rows in the current ordering
    std::vector<RowId> view_;    // ordered_ restricted by the filter when on
    mutable std::vector<int32_t> posOfRow_;
    mutable bool posValid_ = false;
    int cur_ = -1;
    bool bof_ = true;
    bool eof_ = true;

    std::vector<QVariant> buffer_;
    bool modified_ = false;
    RowId editRow_ = 0;

    QString orderText_;
    std::vector<int> orderFields_;
    std::vector<bool> orderDown_;
    QString tieText_;
    int tieField_ = -1;
    QString filterText_;
    bool filtered_ = false;
    bool filterCi_ = false;
    std::unique_ptr<Filter> filter_;
    QString rankFieldName_;
    QString rankText_;
    int rankField_ = -1;
    std::u16string rankFolded_;

    std::vector<Hook> hooks_[4];
    mutable std::unordered_map<int, std::unique_ptr<IntIndex>> indexes_;
};

} // namespace ts
