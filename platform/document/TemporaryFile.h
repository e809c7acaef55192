#pragma once
// The two steps of writing a file safely: a temporary file that is certainly
// this writer's own, and its move over the target that tells whether the target
// was new. A writer that knows which files it created can later remove exactly
// those and never a file someone else made.

#include <filesystem>
#include <optional>

namespace qvc::doc::detail {

// Creates a new, empty file in `folder` named ".qvc-<hex>.tmp". It is created
// exclusively (O_EXCL), so an existing file of that name is never opened or
// truncated; another name is tried instead. nullopt when no file can be created.
std::optional<std::filesystem::path> createTemporaryFile(const std::filesystem::path& folder);

// Renames `temp` to `target`. Returns true when there was no `target` before
// (the rename created it), false when it replaced one, nullopt when the rename
// failed (`temp` is then left in place).
std::optional<bool> moveIntoPlace(const std::filesystem::path& temp,
                                  const std::filesystem::path& target);

}  // namespace qvc::doc::detail
