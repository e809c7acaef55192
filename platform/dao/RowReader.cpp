#include "RowReader.h"

#include <fmt/format.h>

#include <strings.h>

#include <cstring>
#include <limits>
#include <string>

namespace qvc::dao {
namespace {

bool contains(const std::string& upper, const char* word) {
    return upper.find(word) != std::string::npos;
}

rt::Value readInteger(sqlite3_int64 v, ColumnType type) {
    if (type == ColumnType::Boolean)
        return rt::Value(v != 0);
    if (type == ColumnType::Double)
        return rt::Value(static_cast<double>(v));
    if (type == ColumnType::Int16 && v >= std::numeric_limits<int16_t>::min() &&
        v <= std::numeric_limits<int16_t>::max())
        return rt::Value(static_cast<int16_t>(v));
    if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
        return rt::Value(static_cast<int32_t>(v));
    // Wider than any column the system declares: keep the number, not a wrapped one.
    return rt::Value(static_cast<double>(v));
}

}  // namespace

ColumnType columnTypeFromDeclared(const char* declared) {
    if (declared == nullptr)
        return ColumnType::Untyped;
    std::string upper;
    for (const char* p = declared; *p != '\0'; ++p)
        upper += static_cast<char>(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p);
    if (contains(upper, "SHORT") || contains(upper, "SMALLINT") || contains(upper, "INT16"))
        return ColumnType::Int16;
    if (contains(upper, "YESNO") || contains(upper, "BOOL") || upper == "BIT")
        return ColumnType::Boolean;
    if (contains(upper, "INT") || contains(upper, "LONG") || contains(upper, "COUNTER"))
        return ColumnType::Int32;
    if (contains(upper, "DOUB") || contains(upper, "REAL") || contains(upper, "FLOA") ||
        contains(upper, "NUM") || contains(upper, "DEC") || contains(upper, "CURRENCY"))
        return ColumnType::Double;
    if (contains(upper, "TEXT") || contains(upper, "CHAR") || contains(upper, "MEMO") ||
        contains(upper, "CLOB"))
        return ColumnType::Text;
    return ColumnType::Untyped;
}

RowReader::RowReader(sqlite3* db, sqlite3_stmt* stmt) : stmt_(stmt) {
    int n = sqlite3_column_count(stmt);
    columns_.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        Column c;
        const char* name = sqlite3_column_name(stmt, i);
        const char* table = sqlite3_column_table_name(stmt, i);
        const char* origin = sqlite3_column_origin_name(stmt, i);
        c.name = name ? name : "";
        c.table = table ? table : "";
        c.baseColumn = origin ? origin : "";
        c.type = columnTypeFromDeclared(sqlite3_column_decltype(stmt, i));
        if (!c.table.empty() && !c.baseColumn.empty()) {
            const char* declared = nullptr;
            const char* collation = nullptr;
            int notNull = 0, primaryKey = 0, autoInc = 0;
            if (sqlite3_table_column_metadata(db, nullptr, c.table.c_str(), c.baseColumn.c_str(),
                                              &declared, &collation, &notNull, &primaryKey,
                                              &autoInc) == SQLITE_OK &&
                primaryKey != 0 && declared != nullptr && strcasecmp(declared, "INTEGER") == 0) {
                c.autoNumber = true;
                c.type = ColumnType::Int32;
            }
        }
        columns_.push_back(std::move(c));
    }
}

std::vector<rt::Value> RowReader::readRow() const {
    std::vector<rt::Value> row;
    row.reserve(columns_.size());
    for (size_t i = 0; i < columns_.size(); ++i) {
        int col = static_cast<int>(i);
        ColumnType type = columns_[i].type;
        switch (sqlite3_column_type(stmt_, col)) {
            case SQLITE_NULL:
                row.push_back(rt::Value::null());
                break;
            case SQLITE_INTEGER:
                if (type == ColumnType::Text) {
                    row.emplace_back(fmt::format("{}", sqlite3_column_int64(stmt_, col)));
                } else {
                    row.push_back(readInteger(sqlite3_column_int64(stmt_, col), type));
                }
                break;
            case SQLITE_FLOAT:
                if (type == ColumnType::Boolean) {
                    row.emplace_back(sqlite3_column_double(stmt_, col) != 0.0);
                } else {
                    row.emplace_back(sqlite3_column_double(stmt_, col));
                }
                break;
            default: {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, col));
                row.emplace_back(std::string(
                    text ? text : "", static_cast<size_t>(sqlite3_column_bytes(stmt_, col))));
                break;
            }
        }
    }
    return row;
}

rt::Value coerceForColumn(const rt::Value& value, ColumnType type) {
    if (value.isEmpty() || value.isNull())
        return rt::Value::null();
    switch (type) {
        case ColumnType::Int16:
            return rt::Value(value.toInt16());
        case ColumnType::Int32:
            return rt::Value(value.toInt32());
        case ColumnType::Double:
            return rt::Value(value.toDouble());
        case ColumnType::Boolean:
            return rt::Value(value.toBool());
        case ColumnType::Text:
            return rt::Value(value.toText());
        case ColumnType::Untyped:
            return value;
    }
    return value;
}

void bindValue(sqlite3_stmt* stmt, int index, const rt::Value& value) {
    switch (value.type()) {
        case rt::ValueType::Empty:
        case rt::ValueType::Null:
            sqlite3_bind_null(stmt, index);
            break;
        case rt::ValueType::Int16:
        case rt::ValueType::Int32:
            sqlite3_bind_int64(stmt, index, value.toInt32());
            break;
        case rt::ValueType::Boolean:
            sqlite3_bind_int(stmt, index, value.toBool() ? -1 : 0);
            break;
        case rt::ValueType::Double:
            sqlite3_bind_double(stmt, index, value.toDouble());
            break;
        case rt::ValueType::Text: {
            const std::string& t = value.text();
            sqlite3_bind_text(stmt, index, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
            break;
        }
    }
}

}  // namespace qvc::dao
