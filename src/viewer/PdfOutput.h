#pragma once
// Writes report documents, in order, into one PDF file through the viewer's
// page rendering.

#include <filesystem>
#include <vector>

#include "qvc/document/Document.h"

namespace qvc::viewer {

// The file is written through rt::Env::Default(), atomically: an older file of
// that name stays whole when the write fails. Returns the number of pages.
// Raises qvc::rt::Error 91 without documents, 76 when the folder does not
// exist, 61 when the disk is full, 70 when the file cannot be written.
int writePdf(const std::vector<const doc::Document*>& documents, const std::filesystem::path& file);

}  // namespace qvc::viewer
