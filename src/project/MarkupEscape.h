#pragma once
// Escaping of the texts in the project summary mark-up. The host reads the
// summary with its own simple parser, which knows "&" and "<" only as the
// characters « and ¬ and apostrophes only as "~".

#include <string>

namespace qvc {

// "&" becomes « and "<" becomes ¬; a blank text is returned unchanged.
std::string EscapeMarkup(const std::string& s);
// "'" becomes "~"; a blank text is returned unchanged.
std::string EscapeApostrophes(const std::string& s);

}  // namespace qvc
