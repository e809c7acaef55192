#include "qvc/dao/Recordset.h"

#include <fmt/format.h>

#include <algorithm>

#include "Connection.h"
#include "RowReader.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::dao {

namespace err = rt::err;

namespace {

bool sameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto low = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
               };
               return low(x) == low(y);
           });
}

std::string quoteIdentifier(const std::string& name) {
    std::string q = "\"";
    for (char c : name) {
        q += c;
        if (c == '"')
            q += '"';
    }
    return q + "\"";
}

// First column of the first row of `sql` (0 when there is no row); ?1 is `param`.
int64_t queryInt(Connection& connection, const std::string& sql, const std::string& param = {}) {
    Statement stmt(connection, sql);
    sqlite3* db = connection.handle();
    if (sqlite3_bind_parameter_count(stmt.get()) > 0)
        sqlite3_bind_text(stmt.get(), 1, param.c_str(), -1, SQLITE_TRANSIENT);
    int rc = sqlite3_step(stmt.get());
    if (rc == SQLITE_ROW)
        return sqlite3_column_int64(stmt.get(), 0);
    if (rc != SQLITE_DONE)
        throwSqliteError(db, rc, sql);
    return 0;
}

}  // namespace

Recordset::Recordset(std::shared_ptr<Connection> connection, std::vector<Column> columns,
                     std::string sql)
    : connection_(std::move(connection)), columns_(std::move(columns)), sql_(std::move(sql)) {}

void Recordset::ensureLoaded() const {
    if (loaded_)
        return;
    sqlite3* db = connection_->handle();
    Statement stmt(*connection_, sql_);
    RowReader reader(db, stmt.get());
    for (;;) {
        int rc = sqlite3_step(stmt.get());
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            throwSqliteError(db, rc, sql_);
        rows_.push_back(reader.readRow());
    }
    loaded_ = true;
}

Recordset::~Recordset() {
    CancelUpdate();
}

void Recordset::requireOpen() const {
    if (!open_ || !connection_->isOpen())
        throw rt::Error(err::kObjectClosed, "Object invalid or no longer set");
}

void Recordset::requireCurrentRow() const {
    requireOpen();
    if (bof() || eof())
        throw rt::Error(err::kNoCurrentRecord, "No current record");
}

bool Recordset::bof() const {
    requireOpen();
    ensureLoaded();
    return rows_.empty() || position_ < 0;
}

bool Recordset::eof() const {
    requireOpen();
    ensureLoaded();
    return rows_.empty() || position_ >= static_cast<long>(rows_.size());
}

void Recordset::MoveNext() {
    requireOpen();
    CancelUpdate();
    if (eof())
        throw rt::Error(err::kNoCurrentRecord, "No current record");
    ++position_;
}

void Recordset::MovePrevious() {
    requireOpen();
    CancelUpdate();
    if (bof())
        throw rt::Error(err::kNoCurrentRecord, "No current record");
    --position_;
}

void Recordset::MoveFirst() {
    requireOpen();
    ensureLoaded();
    CancelUpdate();
    if (rows_.empty())
        throw rt::Error(err::kNoCurrentRecord, "No current record");
    position_ = 0;
}

void Recordset::MoveLast() {
    requireOpen();
    ensureLoaded();
    CancelUpdate();
    if (rows_.empty())
        throw rt::Error(err::kNoCurrentRecord, "No current record");
    position_ = static_cast<long>(rows_.size()) - 1;
}

int32_t Recordset::RecordCount() const {
    requireOpen();
    ensureLoaded();
    return static_cast<int32_t>(rows_.size());
}

int Recordset::columnIndex(const std::string& name) const {
    for (size_t i = 0; i < columns_.size(); ++i)
        if (sameNoCase(columns_[i].name, name))
            return static_cast<int>(i);
    throw rt::Error(err::kFieldNotFound, "Item not found in this collection: field '" + name + "'");
}

rt::Value Recordset::field(const std::string& name) const {
    requireOpen();
    return field(columnIndex(name));
}

rt::Value Recordset::field(int position) const {
    requireOpen();
    if (position < 0 || position >= static_cast<int>(columns_.size()))
        throw rt::Error(
            err::kFieldNotFound,
            fmt::format("Item not found in this collection: field number {}", position));
    if (mode_ != EditMode::None)
        return buffer_[static_cast<size_t>(position)];
    requireCurrentRow();
    return rows_[static_cast<size_t>(position_)][static_cast<size_t>(position)];
}

void Recordset::setField(const std::string& name, const rt::Value& value) {
    requireOpen();
    size_t i = static_cast<size_t>(columnIndex(name));
    if (mode_ == EditMode::None)
        throw rt::Error(err::kUpdateWithoutAddNewOrEdit,
                        "Update or CancelUpdate without AddNew or Edit");
    if (columns_[i].table.empty() || columns_[i].autoNumber)
        throw rt::Error(err::kFieldCannotBeUpdated, "Field '" + name + "' cannot be updated");
    buffer_[i] = coerceForColumn(value, columns_[i].type);
    dirty_[i] = true;
}

const std::string& Recordset::baseTable() const {
    const std::string* table = nullptr;
    for (const Column& c : columns_) {
        if (c.table.empty())
            continue;
        if (table != nullptr && !sameNoCase(*table, c.table))
            table = nullptr;
        if (table == nullptr)
            table = &c.table;
    }
    if (table == nullptr || connection_->readOnly())
        throw rt::Error(err::kReadOnlyDatabase, "Cannot update. Database or object is read-only");
    return *table;
}

void Recordset::AddNew() {
    requireOpen();
    CancelUpdate();
    const std::string& table = baseTable();
    buffer_.assign(columns_.size(), rt::Value::null());
    dirty_.assign(columns_.size(), false);
    auto key = std::find_if(columns_.begin(), columns_.end(),
                            [](const Column& c) { return c.autoNumber; });
    if (key != columns_.end()) {
        // The key the row will get, known before it is written, as an autonumber is.
        Connection& c = *connection_;
        int64_t next = queryInt(c, "SELECT max(rowid) FROM " + quoteIdentifier(table));
        if (queryInt(c, "SELECT count(*) FROM sqlite_master WHERE name = 'sqlite_sequence'") != 0)
            next = std::max(next,
                            queryInt(c, "SELECT seq FROM sqlite_sequence WHERE name = ?1", table));
        ++next;
        auto& reserved = connection_->reservedKeys();
        while (reserved.count({table, next}) != 0)
            ++next;
        reserved.insert({table, next});
        reservedKey_ = next;
        reservedTable_ = table;
        buffer_[static_cast<size_t>(key - columns_.begin())] =
            rt::Value(static_cast<int32_t>(next));
    }
    mode_ = EditMode::Adding;
}

void Recordset::Edit() {
    requireCurrentRow();
    CancelUpdate();
    baseTable();
    buffer_ = rows_[static_cast<size_t>(position_)];
    dirty_.assign(columns_.size(), false);
    mode_ = EditMode::Editing;
}

void Recordset::insertRow() {
    const std::string& table = baseTable();
    std::string names, params;
    std::vector<size_t> used;
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (!dirty_[i])
            continue;
        if (!names.empty()) {
            names += ", ";
            params += ", ";
        }
        names += quoteIdentifier(columns_[i].baseColumn);
        params += "?";
        used.push_back(i);
    }
    std::string sql =
        "INSERT INTO " + quoteIdentifier(table) +
        (used.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + params + ")");
    sqlite3* db = connection_->handle();
    Statement stmt(*connection_, sql);
    for (size_t k = 0; k < used.size(); ++k)
        bindValue(stmt.get(), static_cast<int>(k + 1), buffer_[used[k]]);
    int rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_DONE)
        throwSqliteError(db, rc, sql);
    // The key is the one the insert itself gave the row. It equals the key
    // AddNew showed unless another connection added a row in between, which
    // a transaction begun with BeginTrans rules out.
    lastInsertedKey_ = sqlite3_last_insert_rowid(db);
    auto key = std::find_if(columns_.begin(), columns_.end(),
                            [](const Column& c) { return c.autoNumber; });
    if (key != columns_.end())
        buffer_[static_cast<size_t>(key - columns_.begin())] =
            rt::Value(static_cast<int32_t>(lastInsertedKey_));
    if (loaded_)
        rows_.push_back(buffer_);
}

void Recordset::updateRow() {
    const std::string& table = baseTable();
    auto key = std::find_if(columns_.begin(), columns_.end(),
                            [](const Column& c) { return c.autoNumber; });
    if (key == columns_.end())
        throw rt::Error(err::kReadOnlyDatabase,
                        "Cannot update. The selection does not include the row key");
    size_t keyIndex = static_cast<size_t>(key - columns_.begin());
    std::string sets;
    std::vector<size_t> used;
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (!dirty_[i])
            continue;
        if (!sets.empty())
            sets += ", ";
        sets += quoteIdentifier(columns_[i].baseColumn) + " = ?";
        used.push_back(i);
    }
    if (!used.empty()) {
        std::string sql = "UPDATE " + quoteIdentifier(table) + " SET " + sets + " WHERE " +
                          quoteIdentifier(key->baseColumn) + " = ?";
        sqlite3* db = connection_->handle();
        Statement stmt(*connection_, sql);
        int k = 1;
        for (size_t i : used)
            bindValue(stmt.get(), k++, buffer_[i]);
        bindValue(stmt.get(), k, rows_[static_cast<size_t>(position_)][keyIndex]);
        int rc = sqlite3_step(stmt.get());
        if (rc != SQLITE_DONE)
            throwSqliteError(db, rc, sql);
    }
    rows_[static_cast<size_t>(position_)] = buffer_;
}

void Recordset::Update() {
    requireOpen();
    if (mode_ == EditMode::None)
        throw rt::Error(err::kUpdateWithoutAddNewOrEdit,
                        "Update or CancelUpdate without AddNew or Edit");
    if (mode_ == EditMode::Adding) {
        insertRow();
    } else {
        updateRow();
    }
    CancelUpdate();
}

void Recordset::CancelUpdate() {
    if (reservedKey_ != 0) {
        connection_->reservedKeys().erase({reservedTable_, reservedKey_});
        reservedKey_ = 0;
    }
    mode_ = EditMode::None;
    buffer_.clear();
    dirty_.clear();
}

void Recordset::Close() {
    CancelUpdate();
    open_ = false;
    rows_.clear();
}

}  // namespace qvc::dao
