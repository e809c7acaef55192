#pragma once
// Receives one signal after each successful change of the project (a study
// added, updated, copied, deleted or converted; a case copied, moved or
// deleted). Called on the host's thread, inside the changing call.

#include "qvc/Export.h"

namespace qvc {

class QVC_EXPORT IChangeNotifier {
  public:
    virtual ~IChangeNotifier() = default;
    virtual void NotifyChanged(bool changed) = 0;
};

}  // namespace qvc
