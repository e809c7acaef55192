#pragma once
// Describes the columns of a prepared statement (name, base table, declared
// type, autonumber) and reads its rows as tagged values.

#include <sqlite3.h>

#include <vector>

#include "qvc/dao/Recordset.h"

namespace qvc::dao {

class RowReader {
  public:
    RowReader(sqlite3* db, sqlite3_stmt* stmt);
    const std::vector<Column>& columns() const { return columns_; }
    std::vector<rt::Value> readRow() const;

  private:
    sqlite3_stmt* stmt_;
    std::vector<Column> columns_;
};

// The column type a declared SQL type stands for ("SHORT" 16-bit, "LONG" or
// "INTEGER" 32-bit, "DOUBLE", "YESNO", "TEXT"; anything else untyped).
ColumnType columnTypeFromDeclared(const char* declared);

// Converts a value to what the column stores (Empty becomes Null); raises 13
// or 6 when the value does not suit the column.
rt::Value coerceForColumn(const rt::Value& value, ColumnType type);

// Binds a tagged value to a statement parameter (Booleans as -1/0).
void bindValue(sqlite3_stmt* stmt, int index, const rt::Value& value);

}  // namespace qvc::dao
