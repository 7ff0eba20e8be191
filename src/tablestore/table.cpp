// SPDX-License-Identifier: GPL-3.0-or-later
#include "table.h"
#include "tableerror.h"
#include "tableio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include "wholefile.h"

namespace ts {

namespace {

bool sameFile(const QString& a, const QString& b) {
    return !a.isEmpty() && !b.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}
} // namespace

Table::Table(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

Table::~Table() = default;

// ------------------------------------------------------------ definitions

void Table::clearFields() {
    if (isOpen())
        throw TableError(
            tr("Die Felder der Tabelle '%1' können nur bei geschlossener Tabelle geändert werden.").arg(name_));
    defined_.clear();
}

void Table::addField(const QString& name, FieldType type, int size) {
    if (isOpen())
        throw TableError(
            tr("Die Felder der Tabelle '%1' können nur bei geschlossener Tabelle geändert werden.").arg(name_));
    FieldDef f;
    f.name = name;
    f.type = type;
    f.size = size;
    defined_.push_back(std::move(f));
}

void Table::addLookupField(const QString& name, FieldType type, int size, const QString& keyField, const Table* source,
                           const QString& sourceKeyField, const QString& resultField) {
    addField(name, type, size);
    FieldDef& f = defined_.back();
    f.lookup = true;
    f.lookupDef = LookupDef{source, keyField, sourceKeyField, resultField};
}

const std::vector<FieldDef>& Table::fields() const {
    return isOpen() ? data_.fields : defined_;
}

int Table::fieldIndex(const QString& name) const {
    const auto& fs = fields();
    for (size_t i = 0; i < fs.size(); ++i)
        if (fs[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int Table::field(const QString& name) const {
    const int i = fieldIndex(name);
    if (i < 0)
        throw TableError(tr("Das Feld '%1' gibt es nicht in der Tabelle '%2'.").arg(name, name_));
    return i;
}

void Table::setDisplayLabel(const QString& name, const QString& label) {
    for (auto* defs : {&defined_, &data_.fields})
        for (FieldDef& f : *defs)
            if (f.name.compare(name, Qt::CaseInsensitive) == 0)
                f.label = label;
}

QString Table::displayLabel(const QString& name) const {
    const FieldDef& f = fields()[size_t(field(name))];
    return f.label.isEmpty() ? f.name : f.label;
}

// ------------------------------------------------------------ life cycle

void Table::createDataSet() {
    state_ = State::Inactive;
    TableData d;
    d.setFields(defined_);
    adoptData(std::move(d));
    changed_ = false;
}

void Table::open() {
    if (isOpen())
        return;
    // A link to nothing is read too, so that its caller hears of it.
    if (!fileName_.isEmpty() && (QFile::exists(fileName_) || QFileInfo(fileName_).isSymLink()))
        loadFromFile(fileName_);
    else
        createDataSet();
}

void Table::close() {
    if (!isOpen())
        return;
    cancel();
    // A failed write throws and leaves the table open: nothing is lost.
    if (!fileName_.isEmpty() && (changed_ || !QFile::exists(fileName_)))
        saveToFile(fileName_);
    state_ = State::Inactive;
    data_ = TableData{};
    ordered_.clear();
    view_.clear();
    posOfRow_.clear();
    posValid_ = false;
    indexes_.clear();
    filter_.reset();
    cur_ = -1;
    bof_ = eof_ = true;
    changed_ = false;
    emit layoutChanged();
    emit currentChanged();
}

void Table::requireOpen() const {
    if (!isOpen())
        throw TableError(tr("Die Tabelle '%1' ist nicht geöffnet.").arg(name_));
}

void Table::requireEditing() const {
    if (state_ != State::Edit && state_ != State::Insert)
        throw TableError(tr("Die Tabelle '%1' ist nicht im Bearbeitungs- oder Einfügemodus.").arg(name_));
}

// ------------------------------------------------------------ files

void Table::loadFromFile(const QString& path, qint64 maxBytes) {
    const FileRead file = readWholeFile(path, maxBytes);
    if (file.problem == FileRead::Problem::NotRegular || file.problem == FileRead::Problem::TooLarge)
        throw DamagedFile(
            tr("Datei %1 kann nicht geöffnet werden. (%2)").arg(QDir::toNativeSeparators(path), file.reason));
    if (file.problem != FileRead::Problem::None)
        throw TableError(
            tr("Datei %1 kann nicht geöffnet werden. (%2)").arg(QDir::toNativeSeparators(path), file.reason));
    if (isOpen() && !fileName_.isEmpty() && changed_) {
        cancel();
        saveToFile(fileName_);
    }
    try {
        checkedLoad(file.bytes);
    } catch (const DamagedFile&) {
        throw;
    } catch (const TableError& e) {
        throw DamagedFile(e.message());
    }
}

void Table::loadFromBuffer(const QByteArray& bytes) {
    checkedLoad(bytes);
}

void Table::checkedLoad(const QByteArray& bytes) {
    // Parsed completely before anything is replaced: a bad file leaves the
    // table as it was.
    TableData loaded = io::read(bytes);
    TableData shaped = io::shapeTo(std::move(loaded), defined_);
    if (isOpen())
        cancel();
    adoptData(std::move(shaped));
    changed_ = false;
}

void Table::saveToFile(const QString& path) {
    requireOpen();
    settle();
    const QByteArray bytes = formatFor(path) == Format::Xml ? io::writeXml(data_) : io::writeCompact(data_);
    const QString problem = writeWholeFile(path, bytes);
    if (!problem.isEmpty())
        throw TableError(
            tr("Datei %1 kann nicht gespeichert werden. (%2)").arg(QDir::toNativeSeparators(path), problem));
    if (sameFile(path, fileName_))
        changed_ = false;
}

Table::Format Table::formatFor(const QString& path) {
    return path.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive) ? Format::Xml : Format::Compact;
}

QByteArray Table::saveToBuffer(Format format) {
    requireOpen();
    settle();
    return format == Format::Xml ? io::writeXml(data_) : io::writeCompact(data_);
}

void Table::adoptData(TableData&& data) {
    data_ = std::move(data);
    indexes_.clear();
    posValid_ = false;
    buffer_.clear();
    modified_ = false;
    state_ = State::Browse;
    orderFields_.clear();
    orderDown_.clear();
    for (const QString& n : orderText_.split(u';', Qt::SkipEmptyParts)) {
        const auto [name, down] = orderPart(n);
        const int i = fieldIndex(name);
        if (i >= 0) {
            orderFields_.push_back(i);
            orderDown_.push_back(down);
        }
    }
    tieField_ = tieText_.isEmpty() ? -1 : fieldIndex(tieText_);
    filter_.reset();
    if (!filterText_.isEmpty()) {
        try {
            compileFilter(filterText_, filterCi_);
        } catch (const TableError&) {
            // The new fields no longer fit the old expression: no restriction.
        }
    }
    rebuildView(false, true);
}

// ------------------------------------------------------------ cursor

int Table::recordCount() const {
    return isOpen() ? int(filtered_ && filter_ ? view_.size() : ordered_.size()) : 0;
}

void Table::setCursor(int index) {
    cur_ = index;
    emit currentChanged();
}

void Table::first() {
    requireOpen();
    settle();
    bof_ = true;
    eof_ = isEmpty();
    setCursor(isEmpty() ? -1 : 0);
}

void Table::last() {
    requireOpen();
    settle();
    eof_ = true;
    bof_ = isEmpty();
    setCursor(recordCount() - 1);
}

void Table::next() {
    moveBy(1);
}
void Table::prior() {
    moveBy(-1);
}

int Table::moveBy(int distance) {
    requireOpen();
    settle();
    const int n = recordCount();
    if (n == 0) {
        bof_ = eof_ = true;
        setCursor(-1);
        return 0;
    }
    const long long target = std::clamp<long long>(static_cast<long long>(cur_) + distance, 0, n - 1);
    const int moved = int(target - cur_);
    bof_ = distance < 0 && moved != distance;
    eof_ = distance > 0 && moved != distance;
    if (moved != 0)
        setCursor(int(target));
    return moved;
}

int Table::recNo() const {
    return state_ == State::Insert ? 0 : cur_ + 1;
}

void Table::setRecNo(int recNo) {
    requireOpen();
    settle();
    if (recNo < 1 || recNo > recordCount())
        return;
    bof_ = eof_ = false;
    setCursor(recNo - 1);
}

// ------------------------------------------------------------ values

QVariant Table::value(int field) const {
    requireOpen();
    if (field < 0 || size_t(field) >= data_.fields.size())
        throw TableError(tr("Ungültige Feldnummer %1 in der Tabelle '%2'.").arg(field).arg(name_));
    const FieldDef& f = data_.fields[size_t(field)];
    if (f.lookup)
        return lookupFor(field, value(fieldIndex(f.lookupDef.keyField)));
    if (state_ == State::Edit || state_ == State::Insert)
        return buffer_[size_t(field)];
    if (cur_ < 0)
        return {};
    const auto& v = filtered_ && filter_ ? view_ : ordered_;
    return data_.columns[size_t(data_.columnOf[size_t(field)])].get(v[size_t(cur_)]);
}

QVariant Table::valueAt(int viewIndex, int field) const {
    if (viewIndex == cur_ && state_ == State::Edit)
        return value(field);
    const auto& v = filtered_ && filter_ ? view_ : ordered_;
    if (viewIndex < 0 || size_t(viewIndex) >= v.size() || field < 0 || size_t(field) >= data_.fields.size())
        return {};
    return storedOrLookup(v[size_t(viewIndex)], field);
}

bool Table::isNull(const QString& name) const {
    const QVariant v = value(name);
    return !v.isValid() || v.isNull();
}

void Table::setValue(int field, const QVariant& v) {
    requireOpen();
    requireEditing();
    if (field < 0 || size_t(field) >= data_.fields.size())
        throw TableError(tr("Ungültige Feldnummer %1 in der Tabelle '%2'.").arg(field).arg(name_));
    const FieldDef& f = data_.fields[size_t(field)];
    if (f.lookup)
        throw TableError(tr("Das Feld '%1' wird nachgeschlagen und kann nicht geändert werden.").arg(f.name));
    QVariant converted = convertForField(f, v);
    if (f.type == FieldType::String && f.size > 0 && converted.toString().size() > f.size)
        throw TableError(
            tr("Der Text für das Feld '%1' ist zu lang: höchstens %2 Zeichen sind erlaubt.").arg(f.name).arg(f.size));
    buffer_[size_t(field)] = std::move(converted);
    modified_ = true;
    emit valueChanged(field);
    for (size_t i = 0; i < data_.fields.size(); ++i)
        if (data_.fields[i].lookup && data_.fields[i].lookupDef.keyField.compare(f.name, Qt::CaseInsensitive) == 0)
            emit valueChanged(int(i));
}

// ------------------------------------------------------------ editing

void Table::addHook(HookKind kind, Hook hook) {
    hooks_[int(kind)].push_back(std::move(hook));
}

void Table::insert() {
    requireOpen();
    settle();
    buffer_.assign(data_.fields.size(), QVariant());
    state_ = State::Insert;
    modified_ = false;
    emit currentChanged();
    try {
        for (auto& h : hooks_[int(HookKind::AfterInsert)])
            h(*this);
    } catch (...) {
        cancel();
        throw;
    }
    // Defaults filled in by the hooks are no change of the user's.
    modified_ = false;
}

void Table::edit() {
    requireOpen();
    if (state_ != State::Browse)
        return;
    if (cur_ < 0) {
        insert();
        return;
    }
    const auto& v = filtered_ && filter_ ? view_ : ordered_;
    editRow_ = v[size_t(cur_)];
    buffer_.assign(data_.fields.size(), QVariant());
    for (size_t i = 0; i < data_.fields.size(); ++i)
        if (data_.columnOf[i] >= 0)
            buffer_[i] = data_.columns[size_t(data_.columnOf[i])].get(editRow_);
    state_ = State::Edit;
    modified_ = false;
    emit currentChanged();
    for (auto& h : hooks_[int(HookKind::AfterEdit)])
        h(*this);
}

void Table::post() {
    requireOpen();
    if (state_ == State::Browse)
        return;
    for (auto& h : hooks_[int(HookKind::BeforePost)])
        h(*this);
    const bool isNew = state_ == State::Insert;
    const RowId row = isNew ? data_.appendRow() : editRow_;
    if (!isNew)
        indexRow(row, false);
    for (size_t i = 0; i < data_.fields.size(); ++i)
        if (data_.columnOf[i] >= 0)
            data_.columns[size_t(data_.columnOf[i])].set(row, buffer_[i]);
    indexRow(row, true);
    state_ = State::Browse;
    buffer_.clear();
    modified_ = false;
    changed_ = true;
    if (bulk_ > 0 && isNew && !(filtered_ && filter_)) {
        ordered_.push_back(row); // sorted once when the bulk ends
        cur_ = int(ordered_.size()) - 1;
        posValid_ = false;
    } else {
        placeRow(row, isNew);
        if (bulk_ == 0) {
            emit layoutChanged();
            emit currentChanged();
        }
    }
    for (auto& h : hooks_[int(HookKind::AfterPost)])
        h(*this);
}

void Table::beginBulkInsert() {
    ++bulk_;
}

void Table::endBulkInsert() {
    if (bulk_ == 0 || --bulk_ > 0)
        return;
    if (isOpen())
        rebuildView(true, true);
}

void Table::cancel() {
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    state_ = State::Browse;
    buffer_.clear();
    modified_ = false;
    emit currentChanged();
}

void Table::settle() {
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    if (modified_)
        post();
    else
        cancel();
}

void Table::deleteRecord() {
    requireOpen();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (cur_ < 0)
        throw TableError(tr("Die Tabelle '%1' enthält keinen Datensatz zum Löschen.").arg(name_));
    auto& v = filtered_ && filter_ ? view_ : ordered_;
    const RowId row = v[size_t(cur_)];
    indexRow(row, false);
    data_.removeRow(row);
    ordered_.erase(std::find(ordered_.begin(), ordered_.end(), row));
    if (filtered_ && filter_)
        view_.erase(view_.begin() + cur_);
    posValid_ = false;
    changed_ = true;
    const int n = recordCount();
    cur_ = std::min(cur_, n - 1);
    bof_ = n == 0;
    eof_ = n == 0;
    emit layoutChanged();
    emit currentChanged();
}

size_t Table::memoryBytes() const {
    size_t b = data_.bytes() + (ordered_.capacity() + view_.capacity() + posOfRow_.capacity()) * 4;
    for (const auto& [c, idx] : indexes_)
        b += idx ? 48 * data_.aliveCount : 0;
    return b;
}

} // namespace ts
