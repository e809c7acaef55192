#pragma once
// Where the reports go when the host has installed no viewer of its own: the
// built-in viewer saves every report document (RTF) into this folder.

#include <string>

#include "qvc/Export.h"

namespace qvc {

// Saves the reports of later BuildReports and InputReports calls into `folder`
// (which must exist). An empty text restores the default: each document's own
// folder.
QVC_EXPORT void SetReportFolder(const std::string& folder);

}  // namespace qvc
