#pragma once
// Splitting the path chosen in the save dialog into the name and the folder the
// report document is written to, with "/" as the separator.

#include <string>

#include "qvc/viewer/Export.h"

namespace qvc::viewer {

// A relative path is first completed with the current directory. Then a path of
// fewer than two characters is returned as it is; otherwise a trailing "/" is
// removed and the text after the last "/" is returned ("/work/a.rtf" gives
// "a.rtf", "/a.rtf" gives "a.rtf").
QVC_VIEWER_EXPORT std::string GetFileNameFromPath(const std::string& path);

// The folder part of the same completed path: everything before the separator
// in front of the name; "/" for a file in the root folder.
QVC_VIEWER_EXPORT std::string GetFolderFromPath(const std::string& path);

}  // namespace qvc::viewer
