#pragma once
// Where the files that ship with the component are at run time. They are found
// relative to the loaded library itself, so an installed tree, an unpacked
// package and the build tree all work wherever they lie. QVC_DATA_DIR names the
// folder of the resource database and help page instead, QVC_EXAMPLES_DIR the
// examples.

#include <string>

#include "qvc/Export.h"

namespace qvc {

// The folder holding the shipped resource database and the help page: the first
// of QVC_DATA_DIR, <libdir>/<datadir>/qvcomponents and <libdir>/../share/qvcomponents
// that holds the resource database (the installed location when none does).
QVC_EXPORT std::string SharedDataDirectory();

// The shipped English resource database, for ResManager::SetResourceDB.
QVC_EXPORT std::string ShippedResourceDB();

// The report viewer's help page, for ResManager::SetHelpFile.
QVC_EXPORT std::string ShippedHelpFile();

// The folder of the example studies (office-hvac, ...).
QVC_EXPORT std::string ExamplesDirectory();

// The folder of the component's private libraries and plug-ins
// (<libdir>/qvcomponents).
QVC_EXPORT std::string PluginDirectory();

// The component's version, "major.minor.patch".
QVC_EXPORT std::string ComponentVersion();

}  // namespace qvc
