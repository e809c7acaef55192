#include <gtest/gtest.h>

#include "common/ThreadState.h"
#include "import/ImportedCase.h"
#include "import/WexCostKeys.h"

namespace qvc {
namespace {

TEST(ImportedCase, StartsFromTheImportDefaults) {
    ImportedCase imported(4, "Tower", "note", 30);
    const cDesignCase& c = imported.designCase();
    EXPECT_EQ(c.StudyID, 4);
    EXPECT_EQ(c.CaseTitle, "Tower");
    EXPECT_EQ(c.CaseDes, "note");
    for (int16_t i = 1; i <= 20; ++i) {
        EXPECT_EQ(c.InvDepLife(i), 2);
        EXPECT_EQ(c.InvUsefulLife(i), 1);
        EXPECT_EQ(c.AnnOpCostStartYear(i), 1);
        EXPECT_EQ(c.AnnOpCostNumYears(i), 30);
        EXPECT_EQ(c.OtherOpCostTimes(i), 1);
        EXPECT_EQ(c.OtherOpCostInterval(i), 1);
        EXPECT_EQ(c.OtherOpCostStartYear(i), 1);
    }
    for (int16_t i = 1; i <= 5; ++i)
        EXPECT_EQ(c.LoanTerm(i), 1);
    EXPECT_EQ(imported.leftOutText(), "");
}

TEST(ImportedCase, KeepsWhatDoesNotFitForTheErrorText) {
    ImportedCase imported(1, "T", "", 10);
    for (int i = 1; i <= 21; ++i)
        imported.addAnnualCost(i % 2 ? "odd" : "", i, "K" + std::to_string(i));
    imported.addEquipment("E#1", "Equipment#1");
    imported.addMaintenance("Maint");
    const cDesignCase& c = imported.designCase();
    EXPECT_EQ(c.AnnOpCostName(19), "odd");
    EXPECT_EQ(c.AnnOpCostName(20), "");
    EXPECT_EQ(c.AnnOpCost(20), 20.0);
    EXPECT_EQ(c.InvItemName(1), "E#1");
    EXPECT_EQ(imported.leftOut(),
              (std::vector<std::string>{"annual cost K21", "annual cost Maint"}));
    const std::string text = imported.leftOutText();
    EXPECT_EQ(text.find('#'), std::string::npos) << "the record's separator stays out";
    EXPECT_NE(text.find("annual cost K21, annual cost Maint"), std::string::npos) << text;
}

TEST(WexCostKeys, KeysMapToTheirResourceTextsExactly) {
    resetThreadState();
    ResourceTexts& res = threadState().res;
    res.gXstrWEXElectric = "E";
    res.gXstrWEXNG = "NG";
    res.gXstrWEXFO = "FO";
    res.gXstrWEXPropane = "P";
    res.gXstrWEXRHW = "HW";
    res.gXstrWEXRS = "S";
    res.gXstrWEXRCW = "CW";
    EXPECT_EQ(wexCostItemName("Electric_Cost"), "E");
    EXPECT_EQ(wexCostItemName("Gas_Cost"), "NG");
    EXPECT_EQ(wexCostItemName("Fuel_Oil_Cost"), "FO");
    EXPECT_EQ(wexCostItemName("Propane_Cost"), "P");
    EXPECT_EQ(wexCostItemName("Remote_HW_Cost"), "HW");
    EXPECT_EQ(wexCostItemName("Remote_STM_Cost"), "S");
    EXPECT_EQ(wexCostItemName("Remote_CW_Cost"), "CW");
    EXPECT_EQ(wexCostItemName("electric_cost"), std::nullopt);
    EXPECT_EQ(wexCostItemName("Electric_Cost "), std::nullopt);
    EXPECT_TRUE(isWexEquipmentKey("Equipment"));
    EXPECT_TRUE(isWexEquipmentKey("EQUIPMENT_12"));
    EXPECT_FALSE(isWexEquipmentKey("Main_Equipment"));
    resetThreadState();
}

}  // namespace
}  // namespace qvc
