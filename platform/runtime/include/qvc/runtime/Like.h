#pragma once
// Basic's Like operator, also used for the database's LIKE comparisons.
//
// The whole text must match the whole pattern. Pattern characters:
//   *        any run of characters, also none
//   ?        exactly one character
//   #        exactly one digit 0-9
//   [list]   one character from the list; a-z inside the list is a range (in
//            ascending order), a "-" first or last in the list stands for itself,
//            and *, ?, # and [ inside the list stand for themselves: "[0,1]" matches
//            "0", "," or "1", and "[*]" matches a star
//   [!list]  one character not in the list ("[!]" matches "!")
//   []       matches nothing (zero characters)
// Any other character, including a "]" outside a list, matches itself. Lengths count
// characters of the UTF-8 text (see BasicString.h for ill-formed bytes).
//
// A "[" without its "]" or a range running downwards (such as "[z-a]") raises
// Error 93 (err::kInvalidPattern), whatever the text.

#include <string_view>
#include "qvc/runtime/Export.h"

namespace qvc::rt {

// Case-insensitive, as Basic's text comparison and the database compare.
QVC_RUNTIME_EXPORT bool Like(std::string_view text, std::string_view pattern);
QVC_RUNTIME_EXPORT bool Like(std::string_view text, std::string_view pattern, bool caseSensitive);

}  // namespace qvc::rt
