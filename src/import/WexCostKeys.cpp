#include "import/WexCostKeys.h"

#include <array>
#include <utility>

#include "common/ThreadState.h"
#include "qvc/runtime/Like.h"

namespace qvc {

std::optional<std::string> wexCostItemName(std::string_view key) {
    using Member = std::string ResourceTexts::*;
    static const std::array<std::pair<std::string_view, Member>, 7> kKeys{{
        {"Electric_Cost", &ResourceTexts::gXstrWEXElectric},
        {"Gas_Cost", &ResourceTexts::gXstrWEXNG},
        {"Fuel_Oil_Cost", &ResourceTexts::gXstrWEXFO},
        {"Propane_Cost", &ResourceTexts::gXstrWEXPropane},
        {"Remote_HW_Cost", &ResourceTexts::gXstrWEXRHW},
        {"Remote_STM_Cost", &ResourceTexts::gXstrWEXRS},
        {"Remote_CW_Cost", &ResourceTexts::gXstrWEXRCW},
    }};
    for (const auto& [name, member] : kKeys) {
        if (key == name)
            return threadState().res.*member;
    }
    return std::nullopt;
}

bool isWexEquipmentKey(std::string_view key) {
    return rt::Like(key, "Equipment*");
}

}  // namespace qvc
