#pragma once
// Reading an error record ("number#description#procedure#module#", see
// ErrorRecord.h) and turning it into the three-line message shown to people.

#include <string>

namespace qvc {

// Field n (1-based) of the record split at every "#", without leading and
// trailing blanks; an empty text for an empty record, for n below 1 and for n
// beyond the last piece. A "#" inside a description splits it too, so the
// fields after it shift.
std::string ErrorField(const std::string& record, int n);

// An empty text for an empty record; otherwise
//   gXstrError & " " & field 1 & " - " & field 2 & CR LF &
//   gXstrMethod & " - " & field 3 & CR LF &
//   gXstrModule & " - " & field 4
// with the resource texts of the calling thread (empty when not loaded).
std::string FormatErrorMessage(const std::string& record);

}  // namespace qvc
