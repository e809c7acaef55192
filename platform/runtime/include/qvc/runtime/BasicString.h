#pragma once
// Basic-style string helpers on UTF-8 text. Every length and position counts
// characters (code points), not bytes; positions are 1-based as in Basic.
//
// Ill-formed UTF-8 never fails: each byte that does not belong to a well-formed
// sequence counts as one character of its own and is carried through unchanged
// (Left, Mid, Replace ... give the same bytes back). In decoded form such a byte b
// is the code point U+DC00 + b (a lone low surrogate, which well-formed UTF-8 can
// never produce), so decoding and encoding again is lossless.
//
// Bad argument values raise Error 5 (err::kInvalidProcedureCall).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>
#include "qvc/runtime/Export.h"

namespace qvc::rt {

QVC_RUNTIME_EXPORT size_t Len(std::string_view s);
QVC_RUNTIME_EXPORT std::string Left(std::string_view s, long n);     // n < 0 raises 5
QVC_RUNTIME_EXPORT std::string Right(std::string_view s, long n);    // n < 0 raises 5
QVC_RUNTIME_EXPORT std::string Mid(std::string_view s, long start);  // start < 1 raises 5
QVC_RUNTIME_EXPORT std::string Mid(std::string_view s, long start,
                                   long length);           // length < 0 raises 5
QVC_RUNTIME_EXPORT std::string LTrim(std::string_view s);  // blanks (U+0020) only
QVC_RUNTIME_EXPORT std::string RTrim(std::string_view s);
QVC_RUNTIME_EXPORT std::string Trim(std::string_view s);
// 1-based character position of `find` in `s` at or after `start`; 0 when absent;
// an empty `find` gives `start` (when start <= Len(s) + 1). start < 1 raises 5.
// The comparison is exact (binary).
QVC_RUNTIME_EXPORT long InStr(long start, std::string_view s, std::string_view find);
QVC_RUNTIME_EXPORT long InStr(std::string_view s, std::string_view find);
// Replaces every occurrence, left to right without overlaps; an empty `find`
// leaves the text as it is.
QVC_RUNTIME_EXPORT std::string Replace(std::string_view s, std::string_view find,
                                       std::string_view with);
// Split("") gives no elements, as Basic's Split does. An empty delimiter gives the
// whole text as the one element.
QVC_RUNTIME_EXPORT std::vector<std::string> Split(std::string_view s, std::string_view delimiter);
QVC_RUNTIME_EXPORT std::string Join(const std::vector<std::string>& parts,
                                    std::string_view delimiter);
// Case mapping is the simple Unicode mapping, one character to one character (so
// "ß" stays "ß"); characters without case stay as they are.
QVC_RUNTIME_EXPORT std::string UCase(std::string_view s);
QVC_RUNTIME_EXPORT std::string LCase(std::string_view s);
// Upper-cases the first character and leaves the rest as it is.
QVC_RUNTIME_EXPORT std::string UCaseFirst(std::string_view s);
QVC_RUNTIME_EXPORT std::string Space(long n);               // n < 0 raises 5
QVC_RUNTIME_EXPORT std::string String(long n, char32_t c);  // n < 0 or c not a character raises 5

// The decoding and case mapping the helpers above use, for other text code.
QVC_RUNTIME_EXPORT std::u32string DecodeUtf8(std::string_view s);
QVC_RUNTIME_EXPORT std::string EncodeUtf8(std::u32string_view s);
QVC_RUNTIME_EXPORT char32_t UpperChar(char32_t c);
QVC_RUNTIME_EXPORT char32_t LowerChar(char32_t c);

}  // namespace qvc::rt
