#pragma once
// ResManager: where the host names the resource database (the texts of every
// report and message) and the help file of the report viewer.
//
// Both settings belong to the calling thread; a thread that never called them
// has empty paths. Neither call checks the path or opens anything. The texts
// are read from the database when the first object that needs them is created
// on the thread, and never again on that thread: naming another database later
// does not change texts already loaded.

#include <string>

#include "qvc/Export.h"

namespace qvc {

class QVC_EXPORT ResManager {
  public:
    // Path of the resource database (an SQLite file with the table
    // ResourceStrings).
    void SetResourceDB(const std::string& filespec);
    // Path of the help page opened by the report viewer's help command.
    void SetHelpFile(const std::string& filespec);
};

}  // namespace qvc
