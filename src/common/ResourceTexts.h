#pragma once
// The resource texts of one thread: one member per resource key, named exactly
// as the key (gXstrLS, gXstrNA, cbopayplan0 ...). All start empty and are filled
// once by AssignResourceStrings (see ResourceStrings.h).

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qvc {

struct ResourceTexts {
#define QVC_RESOURCE_KEY(name) std::string name;
#include "common/ResourceKeys.def"
#undef QVC_RESOURCE_KEY
};

// A key's name and the member that holds its text.
struct ResourceKey {
    std::string_view name;
    std::string ResourceTexts::*member;
};

inline constexpr std::size_t kResourceKeyCount = 0
#define QVC_RESOURCE_KEY(name) +1
#include "common/ResourceKeys.def"
#undef QVC_RESOURCE_KEY
    ;

// Every key, in the order the texts are assigned.
extern const std::array<ResourceKey, kResourceKeyCount> kResourceKeys;

}  // namespace qvc
