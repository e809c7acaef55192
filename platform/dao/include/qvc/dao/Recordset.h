#pragma once
// The rows of one statement with a current-row cursor. The statement is checked
// when the recordset is opened; its rows are read, all at once, the first time
// they are needed, so a selection opened only to add a row reads nothing.
//
// Position rules: a recordset with rows opens on its first row; an empty one is
// at its beginning (BOF) and at its end (EOF) at once. MoveNext past the last
// row reaches EOF; MoveNext at EOF and any field access without a current row
// raise 3021 (no current record).
//
// Changing rows: AddNew starts a new row (the autonumber key it will get is
// readable at once through its field; outside a transaction another connection
// may take that key first, so code that needs the key for certain reads
// LastInsertedKey after Update), Edit starts editing the current row; setField stores
// values converted to the column's declared type (13 for text that is not a
// number, 6 for a number that does not fit); Update writes the row. A row that
// is never updated leaves no trace: moving, closing, a new AddNew/Edit or
// CancelUpdate drops it. Update without AddNew or Edit raises 3020.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qvc/dao/Export.h"
#include "qvc/runtime/Value.h"

namespace qvc::dao {

class Connection;

enum class ColumnType { Int16, Int32, Double, Boolean, Text, Untyped };

struct QVC_DAO_EXPORT Column {
    std::string name;        // the name the statement gives the column
    std::string table;       // base table, empty for an expression
    std::string baseColumn;  // column in the base table
    ColumnType type = ColumnType::Untyped;
    bool autoNumber = false;
};

class QVC_DAO_EXPORT Recordset {
  public:
    Recordset(std::shared_ptr<Connection> connection, std::vector<Column> columns, std::string sql);
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool bof() const;
    bool eof() const;
    void MoveNext();
    void MoveFirst();
    void MovePrevious();
    void MoveLast();
    int32_t RecordCount() const;

    // Case-insensitive name, or 0-based position. Unknown name: 3265.
    rt::Value field(const std::string& name) const;
    rt::Value field(int position) const;
    void setField(const std::string& name, const rt::Value& value);
    int fieldCount() const { return static_cast<int>(columns_.size()); }
    const std::vector<Column>& columns() const { return columns_; }

    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    // The key the database gave the row most recently added through this
    // recordset (0 before any).
    int64_t LastInsertedKey() const { return lastInsertedKey_; }
    void Close();
    bool isOpen() const { return open_; }

  private:
    enum class EditMode { None, Adding, Editing };
    int columnIndex(const std::string& name) const;
    void requireOpen() const;
    void requireCurrentRow() const;
    void ensureLoaded() const;
    const std::string& baseTable() const;
    void insertRow();
    void updateRow();

    std::shared_ptr<Connection> connection_;
    std::vector<Column> columns_;
    std::string sql_;
    mutable bool loaded_ = false;
    mutable std::vector<std::vector<rt::Value>> rows_;
    long position_ = 0;  // -1 before the first row, rows_.size() after the last
    bool open_ = true;
    EditMode mode_ = EditMode::None;
    std::vector<rt::Value> buffer_;
    std::vector<bool> dirty_;
    int64_t reservedKey_ = 0;
    int64_t lastInsertedKey_ = 0;
    std::string reservedTable_;
};

}  // namespace qvc::dao
