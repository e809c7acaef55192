#pragma once
// The design case an import builds: every slot reset to the import's
// defaults, then annual costs and equipment investments placed one after the
// other. Items that find no free slot (a list holds 20) are not dropped
// silently: they are kept as descriptions for the error text.

#include <cstdint>
#include <string>
#include <vector>

#include "qvc/cDesignCase.h"

namespace qvc {

class ImportedCase {
  public:
    // lifecycle is the study's length of analysis, the number of years of
    // every annual cost.
    ImportedCase(int16_t studyId, const std::string& title, const std::string& description,
                 int16_t lifecycle);

    // The next annual cost slot gets the name (may be empty) and the cost.
    void addAnnualCost(const std::string& name, double cost, const std::string& source);
    // The next investment slot gets the equipment's name.
    void addEquipment(const std::string& name, const std::string& source);
    // The maintenance cost (cost 0) in the slot after the last annual cost.
    void addMaintenance(const std::string& name);

    const cDesignCase& designCase() const { return case_; }
    // Descriptions of the items left out, in the order they came.
    const std::vector<std::string>& leftOut() const { return leftOut_; }
    // "" when nothing was left out, else a sentence naming every item.
    std::string leftOutText() const;

  private:
    cDesignCase case_;
    int16_t nextAnnual_ = 1;
    int16_t nextEquipment_ = 1;
    std::vector<std::string> leftOut_;
};

}  // namespace qvc
