#pragma once
// Opens a help file at a numeric help context. Callers check that the file
// exists first; an implementation reports nothing when it cannot show it.

#include <cstdint>
#include <string>
#include "qvc/ui/Export.h"

namespace qvc::ui {

class QVC_UI_EXPORT Help {
  public:
    virtual ~Help() = default;
    virtual void open(const std::string& file, int32_t context) = 0;
};

}  // namespace qvc::ui
