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
    // Closes the file if close was not called; errors are then lost, so
    // writers call close and only drop the object unclosed on failure.
    virtual ~WritableFile() = default;

    // Appends `data` at the end. Raises qvc::rt::Error: 61 disk full, 70
    // anything else the system refused.
    virtual void append(std::string_view data) = 0;

    // Waits until the data written so far is on the disk, so that a crash
    // cannot lose it. Raises qvc::rt::Error like append.
    virtual void sync() = 0;

    // Closes the file; nothing may be appended afterwards. Raises
    // qvc::rt::Error like append.
    virtual void close() = 0;
};

}  // namespace qvc::rt
