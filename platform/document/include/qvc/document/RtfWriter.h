#pragma once
// Writes a Document as RTF that LibreOffice Writer and Word show alike: Arial as
// the default font, a colour table, one section per orientation change with its
// own header and footer, live PAGE / NUMPAGES fields, tables with exact column
// widths, row padding, shading and borders, PNG pictures, and every non-ASCII
// character as \uN? (UTF-16 units, so characters beyond U+FFFF become pairs).
// Lines end with CR LF.

#include <filesystem>
#include <string>

#include "qvc/document/Document.h"
#include "qvc/document/Export.h"

namespace qvc::doc {

QVC_DOCUMENT_EXPORT std::string toRtf(const Document& doc);

// Writes the RTF file through rt::Env::Default(); the folder must exist. The
// file is written next to the target under a temporary name of its own (a new
// file no one else uses) and renamed, so a failure leaves any older file intact
// and no temporary file behind. Returns true when the write created `file`,
// false when it replaced a file that was already there. Failures raise
// qvc::rt::Error naming the file: 76 folder missing, 61 disk full, 70 not
// writable.
QVC_DOCUMENT_EXPORT bool writeRtfFile(const Document& doc, const std::filesystem::path& file);

}  // namespace qvc::doc
