#include <gtest/gtest.h>

#include "WexFixture.h"

namespace qvc {
namespace {

using test::Tag;
using test::TagRow;

class WexImport : public test::WexFixture {};

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

const char* const kEnergyNote = "Annual energy costs imported from the building load calculation.";

TEST_F(WexImport, EveryCostKeyBecomesANamedAnnualCostFollowedByMaintenance) {
    // Rows inserted out of sequence: the import follows lSeqNumber.
    makeWex({{7,
              "Library",
              {{"Remote_CW_Cost", "7000", 7},
               {"Electric_Cost", "1000", 1},
               {"Gas_Cost", "2000", 2},
               {"Fuel_Oil_Cost", "3000", 3},
               {"Propane_Cost", "4000", 4},
               {"Remote_HW_Cost", "5000", 5},
               {"Remote_STM_Cost", "6000", 6}}}});
    const cDesignCase c = importBuilding("7#Library", false);
    ASSERT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(caseId, prj.GetMaxCaseID());
    EXPECT_EQ(caseTitle, "Library");
    EXPECT_EQ(c.CaseTitle, "Library");
    EXPECT_EQ(c.CaseDes, kEnergyNote);
    const char* names[] = {"Electricity",
                           "Natural Gas",
                           "Fuel Oil",
                           "Propane",
                           "Purchased Hot Water",
                           "Purchased Steam",
                           "Purchased Chilled Water"};
    for (int16_t i = 1; i <= 7; ++i) {
        EXPECT_EQ(c.AnnOpCostName(i), names[i - 1]) << i;
        EXPECT_EQ(c.AnnOpCost(i), 1000.0 * i) << i;
        EXPECT_EQ(c.AnnOpCostStartYear(i), 1);
        EXPECT_EQ(c.AnnOpCostNumYears(i), 25) << "the study's life cycle";
        EXPECT_EQ(c.AnnOpCostEscRate(i), 0.0);
    }
    EXPECT_EQ(c.AnnOpCostName(8), "Maintenance");
    EXPECT_EQ(c.AnnOpCost(8), 0.0);
    EXPECT_EQ(rows("tblAnnualOPCost"), 8);
    EXPECT_EQ(rows("tblInvestmentCost"), 0);
    EXPECT_EQ(rows("tblLoanDetails"), 0);
    EXPECT_EQ(rows("tblOtherOPCost"), 0);
    EXPECT_EQ(count("tblDesignCase", "iStudyId = 1"), 1);
}

TEST_F(WexImport, UnknownKeysAndEmptyBuildings) {
    makeWex({{3,
              "Gym",
              {{"Electric_Cost", "800", 1}, {"District_Cooling", "450", 2}, {"Gas_Cost", "90", 3}}},
             {4, "Shed", {}}});
    cDesignCase c = importBuilding("3#Gym", false);
    ASSERT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(c.AnnOpCostName(1), "Electricity");
    EXPECT_EQ(c.AnnOpCostName(2), "") << "an unknown key gives an unnamed cost";
    EXPECT_EQ(c.AnnOpCost(2), 450.0);
    EXPECT_EQ(c.AnnOpCostName(3), "Natural Gas");
    EXPECT_EQ(c.AnnOpCost(3), 90.0);
    EXPECT_EQ(c.AnnOpCostName(4), "Maintenance");
    EXPECT_EQ(rows("tblAnnualOPCost"), 4);

    // A building without cost rows: the maintenance item alone, in row 1.
    c = importBuilding("4#Shed", true);
    ASSERT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(c.AnnOpCostName(1), "Maintenance");
    EXPECT_EQ(c.AnnOpCost(1), 0.0);
    EXPECT_EQ(rows("tblAnnualOPCost"), 1);
    EXPECT_EQ(rows("tblInvestmentCost"), 0);

    // A tag with no rows at all behaves the same.
    c = importBuilding("99#Not listed", false);
    ASSERT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(caseTitle, "Not listed");
    EXPECT_EQ(rows("tblAnnualOPCost"), 1);
}

TEST_F(WexImport, EquipmentRowsBecomeInvestmentsOnlyWhenAsked) {
    makeWex({{5,
              "Plant",
              {{"Equipment_1", "Chiller CH-1", 2},
               {"Electric_Cost", "1200", 1},
               {"equipment_2", "Boiler B-1", 3},
               {"Gas_Cost", "300", 4},
               {"Equipment_3", "Cooling tower", 5}}}});
    cDesignCase c = importBuilding("5#Plant", false);
    ASSERT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(rows("tblInvestmentCost"), 0);
    EXPECT_EQ(c.AnnOpCostName(1), "Electricity");
    EXPECT_EQ(c.AnnOpCostName(2), "Natural Gas");
    EXPECT_EQ(c.AnnOpCostName(3), "Maintenance");
    EXPECT_EQ(rows("tblAnnualOPCost"), 3);

    c = importBuilding("5#Plant", true);
    ASSERT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(rows("tblInvestmentCost"), 3);
    EXPECT_EQ(c.InvItemName(1), "Chiller CH-1");
    EXPECT_EQ(c.InvItemName(2), "Boiler B-1");
    EXPECT_EQ(c.InvItemName(3), "Cooling tower");
    for (int16_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(c.InvCost(i), 0.0);
        EXPECT_EQ(c.InvDepLife(i), 2);
        EXPECT_EQ(c.InvUsefulLife(i), 1);
    }
    // The equipment rows in between do not move the cost rows.
    EXPECT_EQ(c.AnnOpCostName(1), "Electricity");
    EXPECT_EQ(c.AnnOpCost(1), 1200.0);
    EXPECT_EQ(c.AnnOpCostName(2), "Natural Gas");
    EXPECT_EQ(c.AnnOpCostName(3), "Maintenance");
    EXPECT_EQ(rows("tblAnnualOPCost"), 3);
}

TEST_F(WexImport, CostsAreRoundedToWholeUnitsHalvesToEven) {
    makeWex({{1,
              "B",
              {{"Electric_Cost", "1234.5", 1},
               {"Gas_Cost", "1235.5", 2},
               {"Propane_Cost", "99.49", 3},
               {"Fuel_Oil_Cost", " 2500.51 ", 4},
               {"Remote_HW_Cost", "-10.5", 5}}}});
    const cDesignCase c = importBuilding("1#B", false);
    ASSERT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(c.AnnOpCost(1), 1234.0);
    EXPECT_EQ(c.AnnOpCost(2), 1236.0);
    EXPECT_EQ(c.AnnOpCost(3), 99.0);
    EXPECT_EQ(c.AnnOpCost(4), 2501.0);
    EXPECT_EQ(c.AnnOpCost(5), -10.0);
}

TEST_F(WexImport, TheSiblingFileIsNeverWritten) {
    makeWex({{1, "B", {{"Electric_Cost", "10", 1}, {"Equipment_1", "Fan", 2}}}});
    const auto file = wexDir / "Project.mdb";
    const std::string before = test::fileBytes(file);
    const auto stamp = std::filesystem::last_write_time(file);
    std::vector<std::string> buildings;
    importer.getBuildings(buildings);
    importBuilding("1#B", true);
    ASSERT_EQ(importer.getErrorMsg(), "");
    ASSERT_GT(caseId, 0);
    EXPECT_EQ(test::fileBytes(file), before);
    EXPECT_EQ(std::filesystem::last_write_time(file), stamp);
    EXPECT_EQ(test::folderListing(wexDir), std::set<std::string>{"Project.mdb"})
        << "no journal or shared-memory file beside it";
}

TEST_F(WexImport, AMissingSiblingFolderTouchesNothing) {
    importer.WexProjectPath = (dir / "no-such-folder").string();
    std::vector<std::string> buildings{"kept"};
    importer.getBuildings(buildings);
    const std::string err = importer.getErrorMsg();
    EXPECT_EQ(err.substr(0, 5), "3024#") << err;
    EXPECT_NE(err.find("no-such-folder/Project.mdb"), std::string::npos) << err;
    EXPECT_TRUE(endsWith(err, "#openProjectDB#cWEXTagImporter #")) << err;
    EXPECT_EQ(buildings, std::vector<std::string>{"kept"});

    caseId = 77;
    caseTitle = "unchanged";
    importer.ImportWEXData("1#B", true, caseId, caseTitle);
    EXPECT_EQ(importer.getErrorMsg(), err);
    EXPECT_EQ(caseId, 77);
    EXPECT_EQ(caseTitle, "unchanged");
    EXPECT_EQ(count("tblDesignCase"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));

    importer.clearError();
    EXPECT_EQ(importer.getErrorMsg(), "");
}

TEST_F(WexImport, BuildingsAreListedByNameAndFiltered) {
    makeWex({{30, "Warehouse", {}},
             {10, "Annex", {}},
             {20, "Chiller CH-1", {}, "WEX", 300},
             {40, "Barn", {}, "OTHER", 500},
             {50, "Clinic", {}}});
    std::vector<std::string> buildings{"stale entry"};
    importer.getBuildings(buildings);
    ASSERT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(buildings, (std::vector<std::string>{"10#Annex#", "50#Clinic#", "30#Warehouse#"}));

    // An empty list replaces the old contents too.
    std::filesystem::remove_all(wexDir);
    makeWex({});
    importer.getBuildings(buildings);
    EXPECT_EQ(importer.getErrorMsg(), "");
    EXPECT_TRUE(buildings.empty());
}

TEST_F(WexImport, ItemsBeyondTwentySlotsAreNamedInTheErrorText) {
    Tag big{8, "Campus", {}};
    for (int i = 1; i <= 22; ++i)
        big.rows.push_back({"Cost_" + std::to_string(i), std::to_string(i), i});
    for (int i = 1; i <= 21; ++i)
        big.rows.push_back({"Equipment_" + std::to_string(i), "Unit " + std::to_string(i), 30 + i});
    Tag fits{9, "Hall", {}};
    for (int i = 1; i <= 19; ++i)
        fits.rows.push_back({"Electric_Cost", "100", i});
    makeWex({big, fits});

    const cDesignCase c = importBuilding("8#Campus", true);
    const std::string err = importer.getErrorMsg();
    ASSERT_GT(caseId, 0) << "the case is still stored: " << err;
    EXPECT_EQ(rows("tblAnnualOPCost"), 20);
    EXPECT_EQ(rows("tblInvestmentCost"), 20);
    EXPECT_EQ(c.AnnOpCost(20), 20.0);
    EXPECT_EQ(c.InvItemName(20), "Unit 20");
    EXPECT_EQ(err.substr(0, 2), "9#") << err;
    for (const char* part : {"annual cost Cost_21 21", "annual cost Cost_22 22",
                             "annual cost Maintenance", "equipment Equipment_21 Unit 21"}) {
        EXPECT_NE(err.find(part), std::string::npos) << part << " in " << err;
    }
    EXPECT_EQ(err.find("Cost_20 "), std::string::npos) << err;
    EXPECT_TRUE(endsWith(err, "#ImportWEXData#cWEXTagImporter #")) << err;

    // Nineteen cost rows leave exactly the last slot for maintenance.
    const cDesignCase d = importBuilding("9#Hall", false);
    EXPECT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(d.AnnOpCostName(20), "Maintenance");
    EXPECT_EQ(rows("tblAnnualOPCost"), 20);
}

TEST_F(WexImport, BadInputFailsWithoutAddingACase) {
    makeWex(
        {{1, "B", {{"Electric_Cost", "12,5 kWh", 1}}}, {2, "C", {{"Gas_Cost", std::nullopt, 1}}}});
    importBuilding("1#B", false);
    EXPECT_EQ(importer.getErrorMsg().substr(0, 3), "13#") << importer.getErrorMsg();
    EXPECT_NE(importer.getErrorMsg().find("#ImportWEXData#cWEXTagImporter #"), std::string::npos);
    importBuilding("2#C", false);
    EXPECT_EQ(importer.getErrorMsg().substr(0, 3), "94#") << importer.getErrorMsg();
    importBuilding("no separator", false);
    EXPECT_EQ(importer.getErrorMsg().substr(0, 2), "5#") << importer.getErrorMsg();
    importBuilding("x#B", false);
    EXPECT_EQ(importer.getErrorMsg().substr(0, 3), "13#") << importer.getErrorMsg();
    importer.StudyID = 42;
    importBuilding("1#B", false);
    EXPECT_EQ(importer.getErrorMsg().substr(0, 5), "3021#") << importer.getErrorMsg();
    EXPECT_EQ(count("tblDesignCase"), 0);

    // A sibling project without its data table.
    importer.StudyID = 1;
    std::filesystem::remove_all(wexDir);
    makeWex({{1, "B", {}}}, false);
    importBuilding("1#B", false);
    EXPECT_EQ(importer.getErrorMsg().substr(0, 5), "3078#") << importer.getErrorMsg();
    EXPECT_NE(importer.getErrorMsg().find("#getWEXData#cWEXTagImporter #"), std::string::npos);
    EXPECT_EQ(count("tblDesignCase"), 0);
}

TEST_F(WexImport, TheShippedSampleProject) {
    // A copy, so that the check of the untouched file also covers the shipped one.
    const auto sample = std::filesystem::path(QVC_SOURCE_DIR) / "examples/wex-sample/Project.mdb";
    std::filesystem::create_directories(wexDir);
    std::filesystem::copy_file(sample, wexDir / "Project.mdb");
    const std::string before = test::fileBytes(sample);

    std::vector<std::string> buildings;
    importer.getBuildings(buildings);
    ASSERT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(buildings,
              (std::vector<std::string>{"101#Administration Building#", "102#Elementary School#",
                                        "103#Medical Office Building#"}));

    const cDesignCase c = importBuilding("103#Medical Office Building", true);
    ASSERT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(caseTitle, "Medical Office Building");
    EXPECT_EQ(c.AnnOpCostName(1), "Electricity");
    EXPECT_EQ(c.AnnOpCost(1), 142888.0);
    EXPECT_EQ(c.AnnOpCost(2), 18450.0);
    EXPECT_EQ(c.AnnOpCostName(3), "Purchased Steam");
    EXPECT_EQ(c.AnnOpCost(3), 9210.0);
    EXPECT_EQ(c.AnnOpCost(4), 36776.0);
    EXPECT_EQ(c.AnnOpCostName(5), "Maintenance");
    EXPECT_EQ(c.InvItemName(3), "Steam-to-hot-water heat exchanger HX-1");
    EXPECT_EQ(rows("tblInvestmentCost"), 3);

    // Gas 17512.50 is a half: to the even 17512.
    const cDesignCase admin = importBuilding("101#Administration Building", false);
    EXPECT_EQ(admin.AnnOpCost(2), 17512.0);
    EXPECT_EQ(test::fileBytes(wexDir / "Project.mdb"), before);
}

}  // namespace
}  // namespace qvc
