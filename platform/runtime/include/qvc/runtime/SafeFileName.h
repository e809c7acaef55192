#pragma once
// File names made from text (study titles, resource texts, building names).
// Whatever the text holds, the name stays inside the folder it is joined to and
// is one that every file system and file manager handles:
//
// - path separators ("/" and "\"), the characters other systems reserve
//   (: * ? " < > |), control characters (C0, DEL, C1), line and paragraph
//   separators, direction overrides and bytes that are not valid UTF-8 each
//   become "_";
// - leading dots and blanks and trailing dots and blanks are dropped, so the
//   name is never hidden and never "." or "..";
// - an empty result becomes "_";
// - a name longer than kMaxFileNameBytes bytes (with its extension) is cut on
//   a character boundary and ends with "~" and eight hex digits of a hash of
//   the whole text, so two long texts that differ only at their end still
//   give two names.
//
// The result is its own safe name: SafeFileName(SafeFileName(t)) ==
// SafeFileName(t).

#include <cstddef>
#include <string>
#include <string_view>
#include "qvc/runtime/Export.h"

namespace qvc::rt {

inline constexpr size_t kMaxFileNameBytes = 200;

// `text` made safe as a whole file name.
QVC_RUNTIME_EXPORT std::string SafeFileName(std::string_view text);

// `stem` made safe and `extension` (such as ".RTF", a program constant of at most
// 16 plain ASCII characters) appended unchanged; shortening cuts the stem, so
// the extension survives. `maxBytes` (32 .. kMaxFileNameBytes) lowers the
// limit for a part of a longer name.
QVC_RUNTIME_EXPORT std::string SafeFileName(std::string_view stem, std::string_view extension,
                                            size_t maxBytes = kMaxFileNameBytes);

}  // namespace qvc::rt
