#pragma once
// Loading the resource texts of the calling thread from the resource database
// that ResManager::SetResourceDB named (threadState().gResourceDB).
//
// The texts are filled once per thread and never reloaded: after the first
// AssignResourceStrings that runs to its end, gStringsLoaded is true and later
// calls return at once, even when SetResourceDB has named another database.
//
// Reading a text: qvc::texts().gXstrNA, or threadState().res.gXstrNA (the same
// object). A text never loaded is empty.

#include <string>

#include "common/ResourceTexts.h"

namespace qvc {

// The statement that reads the table, exactly as the resource database expects.
inline constexpr const char* kResourceStringsQuery =
    "select  ReferenceText,workingtext from ResourceStrings";

// Reads every row of ResourceStrings and returns the mark-up text: "<XML>", one
// "<key>text</key>" CR LF per row (key and text trimmed of blanks, a Null as an
// empty text, nothing escaped), "</XML>".
// Throws rt::Error: 3024 when the database file does not exist, 3049 when it is
// no database, 3078 when the table is missing, 3265 when a column is missing.
std::string LoadResourceStrings();

// Fills every text of the thread unless gStringsLoaded is already true; sets
// gStringsLoaded only when all 245 keys were found.
// Throws rt::Error and leaves gStringsLoaded false, so that the next object to
// be created tries again:
//  - the database errors of LoadResourceStrings (nothing is assigned);
//  - 31001 when the mark-up text is not well-formed, e.g. a "<" or "&" in a
//    text or a key that is no element name (nothing more is assigned);
//  - 91 naming the first key with no row (the keys before it in the
//    assignment order are filled, the later ones keep what they had).
// When a key has several rows the first one wins.
void AssignResourceStrings();

// The texts of the calling thread.
const ResourceTexts& texts();

}  // namespace qvc
