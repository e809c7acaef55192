#include "common/ResourceTexts.h"

namespace qvc {

const std::array<ResourceKey, kResourceKeyCount> kResourceKeys = {{
#define QVC_RESOURCE_KEY(name) {#name, &ResourceTexts::name},
#include "common/ResourceKeys.def"
#undef QVC_RESOURCE_KEY
}};

static_assert(kResourceKeyCount == 245, "the resource database holds 245 keys");

}  // namespace qvc
