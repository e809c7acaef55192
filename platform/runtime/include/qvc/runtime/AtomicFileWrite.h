#pragma once
// Writing a file so that readers see either the old file or the whole new one,
// and no file of anyone else is ever opened, truncated or removed on the way.

#include <filesystem>
#include <functional>

#include "qvc/runtime/Env.h"
#include "qvc/runtime/Export.h"
#include "qvc/runtime/WritableFile.h"

namespace qvc::rt {

// Writes `target` through `env`: `write` fills a new temporary file beside it
// (".qvc-<hex>.tmp", created exclusively, so it is this writer's own), which
// is closed and renamed over `target`; when it replaces a file it is synced to
// the disk first, so a crash leaves the old or the new contents, never
// neither. Returns true when `target` is
// new (the rename created it), false when it replaced a file of that name.
//
// On any failure (the folder missing or not writable, `write` or the system
// raising, the rename refused) the temporary file is removed, `target` is left
// as it was, and qvc::rt::Error is raised: the error `write` raised, or one
// whose description names the file and its folder, then the system's reason
// ("Cannot write \"a.RTF\" into the folder \"/out\": ..."), numbered 76 folder
// missing, 61 disk full, 70 otherwise.
QVC_RUNTIME_EXPORT bool writeFileAtomically(Env& env, const std::filesystem::path& target,
                                            const std::function<void(WritableFile&)>& write);

}  // namespace qvc::rt
