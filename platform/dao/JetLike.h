#pragma once
#include <sqlite3.h>

namespace qvc::dao {

// Replaces SQLite's like() so that `x LIKE 'pat*'` uses Jet's wildcards
// (*, ?, #, [...], [!...]) and compares without regard to letter case.
void registerJetLike(sqlite3* db);

}  // namespace qvc::dao
