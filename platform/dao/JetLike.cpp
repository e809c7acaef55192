#include "JetLike.h"

#include <string_view>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/Like.h"

namespace qvc::dao {
namespace {

void jetLike(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    // SQLite calls like(pattern, text[, escape]) for `text LIKE pattern`.
    for (int i = 0; i < 2 && i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    auto text = [](sqlite3_value* v) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
        return std::string_view(p ? p : "", static_cast<size_t>(sqlite3_value_bytes(v)));
    };
    try {
        sqlite3_result_int(ctx, rt::Like(text(argv[1]), text(argv[0])) ? 1 : 0);
    } catch (const rt::Error& e) {
        sqlite3_result_error(ctx, e.description().c_str(), -1);
    }
}

}  // namespace

void registerJetLike(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "like", 2, flags, nullptr, jetLike, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, flags, nullptr, jetLike, nullptr, nullptr);
}

}  // namespace qvc::dao
