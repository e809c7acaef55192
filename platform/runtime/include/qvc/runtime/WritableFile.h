#pragma once
// A file being written, as handed out by Env::createNewFile.

#include <string_view>
#include "qvc/runtime/Export.h"

namespace qvc::rt {

class QVC_RUNTIME_EXPORT WritableFile {
  public:
    WritableFile() = default;
    WritableFile(const WritableFile&) = delete;
    WritableFile& operator=(const WritableFile&) = delete;
    // Closes the file if syncAndClose was not called; errors are then lost, so
    // writers call syncAndClose and only drop the object unclosed on failure.
    virtual ~WritableFile() = default;

    // Appends `data` at the end. Raises qvc::rt::Error: 61 disk full, 70
    // anything else the system refused.
    virtual void append(std::string_view data) = 0;

    // Flushes the data to the disk and closes the file; nothing may be
    // appended afterwards. Raises qvc::rt::Error like append.
    virtual void syncAndClose() = 0;
};

}  // namespace qvc::rt
