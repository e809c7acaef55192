#pragma once
// The TagData keys of a building's annual energy costs and the resource texts
// that name the imported cost items.

#include <optional>
#include <string>
#include <string_view>

namespace qvc {

// The item name for a cost key ("Electric_Cost" -> the text of
// gXstrWEXElectric ...), nothing for any other key. Keys compare exactly.
std::optional<std::string> wexCostItemName(std::string_view key);

// True for the keys of equipment rows ("Equipment..." in any letter case, as
// the database's LIKE 'Equipment*' selects them).
bool isWexEquipmentKey(std::string_view key);

}  // namespace qvc
