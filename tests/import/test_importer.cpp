#include <gtest/gtest.h>

#include "ProjectFixture.h"
#include "common/ResourceStrings.h"
#include "qvc/ResManager.h"
#include "qvc/cWEXTagImporter.h"
#include "qvc/dao/Database.h"

namespace qvc {
namespace {

// A project with one study (life cycle 25 years) and the shipped texts; a sibling project by hand.
class WexImport : public test::ProjectFixture {
  protected:
    void SetUp() override {
        ProjectFixture::SetUp();
        ResManager().SetResourceDB(QVC_RESOURCE_DB);
        AssignResourceStrings();
        prj.addStudyDetails(sampleStudy());
        wexDir = dir / "wex";
        importer.StudyID = 1;
        importer.WexProjectPath = wexDir.string();
    }

    // Rows of TagIndex (id, name, application, type) and TagData (id, key, value, sequence).
    void makeWex(const std::string& inserts, bool withTagData = true) {
        std::filesystem::create_directories(wexDir);
        auto db = dao::Database::Create((wexDir / "Project.mdb").string());
        db->Execute(
            "CREATE TABLE TagIndex (lTagID LONG, sTagName TEXT, sApp TEXT, lEquipType LONG);" +
            std::string(withTagData ? "CREATE TABLE TagData (lTagID LONG, sKey TEXT, sValue "
                                      "TEXT, lSeqNumber LONG);"
                                    : "") +
            inserts);
        db->Close();
    }

    cDesignCase importBuilding(const std::string& building, bool equipment) {
        caseId = 0;
        caseTitle.clear();
        importer.ImportWEXData(building, equipment, caseId, caseTitle);
        cDesignCase c;
        if (caseId > 0)
            prj.getCaseDetails(1, caseId, c);
        return c;
    }

    int rows(const char* table) { return count(table, "iCaseId = " + std::to_string(caseId)); }

    std::filesystem::path wexDir;
    cWEXTagImporter importer;
    int16_t caseId = 0;
    std::string caseTitle;
};

TEST_F(WexImport, EveryCostKeyBecomesANamedRoundedAnnualCostFollowedByMaintenance) {
    // Rows out of sequence: the import follows lSeqNumber. Costs round half to even.
    makeWex(
        "INSERT INTO TagIndex VALUES (7, 'Library', 'WEX', 500); INSERT INTO TagData VALUES "
        "(7, 'Remote_CW_Cost', '7000', 7), (7, 'Electric_Cost', '1000.5', 1), "
        "(7, 'Gas_Cost', '1999.5', 2), (7, 'Fuel_Oil_Cost', '3000.49', 3), "
        "(7, 'Propane_Cost', ' 3999.51 ', 4), (7, 'Remote_HW_Cost', '5000', 5), "
        "(7, 'Remote_STM_Cost', '6000', 6)");
    const auto file = wexDir / "Project.mdb";
    const auto written = std::filesystem::last_write_time(file);
    const auto size = std::filesystem::file_size(file);
    const cDesignCase c = importBuilding("7#Library", false);
    ASSERT_EQ(importer.getErrorMsg(), "");
    std::string all;
    for (int16_t i = 1; i <= 8; ++i)
        all += test::annualRow(c, i) + ";";
    // name|cost|start year|years (the study's life cycle)|escalation
    EXPECT_EQ(all,
              "Electricity|1000|1|25|0;Natural Gas|2000|1|25|0;Fuel Oil|3000|1|25|0;"
              "Propane|4000|1|25|0;Purchased Hot Water|5000|1|25|0;Purchased Steam|6000|1|25|0;"
              "Purchased Chilled Water|7000|1|25|0;Maintenance|0|1|25|0;");
    EXPECT_EQ(rows("tblAnnualOPCost"), 8);
    EXPECT_EQ(rows("tblInvestmentCost") + rows("tblLoanDetails") + rows("tblOtherOPCost"), 0);
    // The sibling project is only read, and nothing is written beside it.
    EXPECT_EQ(std::filesystem::last_write_time(file), written);
    EXPECT_EQ(std::filesystem::file_size(file), size);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(wexDir), {}), 1);
}

TEST_F(WexImport, UnknownKeysAndEmptyBuildings) {
    makeWex(
        "INSERT INTO TagIndex VALUES (3, 'Gym', 'WEX', 500), (4, 'Shed', 'WEX', 500); "
        "INSERT INTO TagData VALUES (3, 'Electric_Cost', '800', 1), "
        "(3, 'District_Cooling', '450', 2), (3, 'electric_cost', '-10.5', 3), "
        "(3, 'Main_Equipment', '12', 4)");
    cDesignCase c = importBuilding("3#Gym", false);
    ASSERT_EQ(importer.getErrorMsg(), "");
    // Unknown keys (matched with case and as a whole) give unnamed costs.
    const char* expected[] = {"Electricity|800", "|450", "|-10", "|12", "Maintenance|0"};
    for (int16_t i = 1; i <= 5; ++i)
        EXPECT_EQ(test::joinedFields(c.AnnOpCostName(i), c.AnnOpCost(i)), expected[i - 1]);
    EXPECT_EQ(rows("tblAnnualOPCost"), 5);
    // A building without cost rows, or not listed at all: the maintenance item alone.
    for (const char* building : {"4#Shed", "99#Not listed"}) {
        c = importBuilding(building, true);
        ASSERT_EQ(importer.getErrorMsg(), "");
        EXPECT_EQ(c.AnnOpCostName(1), "Maintenance");
        EXPECT_EQ(rows("tblAnnualOPCost"), 1);
    }
    EXPECT_EQ(caseTitle, "Not listed");
}

TEST_F(WexImport, EquipmentRowsBecomeInvestmentsBetweenTheCostRows) {
    makeWex(
        "INSERT INTO TagIndex VALUES (5, 'Plant', 'WEX', 500); INSERT INTO TagData VALUES "
        "(5, 'Equipment_1', 'Chiller CH-1', 2), (5, 'Electric_Cost', '1200', 1), "
        "(5, 'equipment_2', 'Boiler B-1', 3), (5, 'Gas_Cost', '300', 4), "
        "(5, 'Equipment', 'Cooling tower', 5)");
    const cDesignCase c = importBuilding("5#Plant", true);
    ASSERT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(rows("tblInvestmentCost"), 3);
    const char* equipment[] = {"Chiller CH-1", "Boiler B-1", "Cooling tower"};
    for (int16_t i = 1; i <= 3; ++i)
        EXPECT_EQ(test::investmentRow(c, i), std::string(equipment[i - 1]) + "|0|0|0|0|0|2|1|0");
    // The equipment rows in between do not move the cost rows.
    EXPECT_EQ(test::annualRow(c, 1), "Electricity|1200|1|25|0");
    EXPECT_EQ(c.AnnOpCostName(2), "Natural Gas");
}

TEST_F(WexImport, BuildingsAreListedByNameAndFiltered) {
    makeWex(
        "INSERT INTO TagIndex VALUES (30, 'Warehouse', 'WEX', 500), (10, 'Annex', 'WEX', 500), "
        "(20, 'Chiller CH-1', 'WEX', 300), (40, 'Barn', 'OTHER', 500), (50, 'Clinic', 'WEX', 500)");
    std::vector<std::string> buildings{"stale entry"};  // replaced by the list
    importer.getBuildings(buildings);
    EXPECT_EQ(buildings, (std::vector<std::string>{"10#Annex#", "50#Clinic#", "30#Warehouse#"}));
}

TEST_F(WexImport, ItemsBeyondTwentySlotsAreNamedInTheErrorText) {
    std::string sql =
        "INSERT INTO TagIndex VALUES (8, 'Campus', 'WEX', 500), (9, 'Hall', 'WEX', 500);";
    for (int i = 1; i <= 22; ++i) {
        const std::string n = std::to_string(i);
        sql += "INSERT INTO TagData VALUES (8, 'Cost_" + n + "', '" + n + "', " + n + ");";
        if (i <= 21)
            sql += "INSERT INTO TagData VALUES (8, 'Equipment_" + n + "', 'Unit#" + n + "', " +
                   std::to_string(100 + i) + ");";
        if (i <= 19)
            sql += "INSERT INTO TagData VALUES (9, 'Electric_Cost', '100', " + n + ");";
    }
    makeWex(sql);
    const cDesignCase c = importBuilding("8#Campus", true);
    const std::string err = importer.getErrorMsg();
    ASSERT_GT(caseId, 0) << "the case is still stored: " << err;
    EXPECT_EQ(rows("tblAnnualOPCost"), 20);
    EXPECT_EQ(rows("tblInvestmentCost"), 20);
    EXPECT_EQ(test::investmentRow(c, 20), "Unit#20|0|0|0|0|0|2|1|0");
    EXPECT_EQ(test::annualRow(c, 20), "|20|1|25|0");
    // "9#" and the left-out items in order, without the record's separator.
    EXPECT_TRUE(err.starts_with("9#")) << err;
    EXPECT_TRUE(
        err.ends_with("left out: annual cost Cost_21 21, annual cost Cost_22 22, equipment "
                      "Equipment_21 Unit 21, annual cost Maintenance#ImportWEXData#"
                      "cWEXTagImporter #"))
        << err;
    // Nineteen cost rows leave exactly the last slot for maintenance.
    const cDesignCase d = importBuilding("9#Hall", false);
    EXPECT_EQ(importer.getErrorMsg(), "");
    EXPECT_EQ(d.AnnOpCostName(20), "Maintenance");
    EXPECT_EQ(rows("tblAnnualOPCost"), 20);
}

TEST_F(WexImport, BadInputOrAMissingSiblingFailsWithoutAddingACase) {
    makeWex(
        "INSERT INTO TagIndex VALUES (1, 'B', 'WEX', 500), (2, 'C', 'WEX', 500); INSERT INTO "
        "TagData VALUES (1, 'Electric_Cost', '12,5 kWh', 1), (2, 'Gas_Cost', NULL, 1)");
    const std::pair<const char*, const char*> cases[] = {
        {"1#B", "13#"}, {"2#C", "94#"}, {"no separator", "5#"}, {"x#B", "13#"}};
    for (const auto& [building, error] : cases) {
        importBuilding(building, false);
        EXPECT_TRUE(importer.getErrorMsg().starts_with(error)) << building;
    }
    importer.StudyID = 42;
    importBuilding("1#B", false);
    EXPECT_EQ(importer.getErrorMsg().substr(0, 5), "3021#") << importer.getErrorMsg();
    importer.StudyID = 1;
    execute("UPDATE tblStudy SET nLifecycle = 70000");  // the study's record is passed on
    importBuilding("1#B", false);
    EXPECT_EQ(importer.getErrorMsg(), "6#Overflow#getStudyDetails#cORVProject#");
    execute("UPDATE tblStudy SET nLifecycle = 25");
    // A sibling project without its data table.
    std::filesystem::remove_all(wexDir);
    makeWex("INSERT INTO TagIndex VALUES (1, 'B', 'WEX', 500)", false);
    importBuilding("1#B", false);
    EXPECT_EQ(importer.getErrorMsg().substr(0, 5), "3078#") << importer.getErrorMsg();
    // A missing sibling folder: nothing listed, imported or created.
    importer.WexProjectPath = (dir / "no-such-folder").string();
    std::vector<std::string> buildings{"kept"};
    importer.getBuildings(buildings);
    const std::string err = importer.getErrorMsg();
    EXPECT_TRUE(err.starts_with("3024#") && err.ends_with("#openProjectDB#cWEXTagImporter #"))
        << err;
    EXPECT_EQ(buildings, std::vector<std::string>{"kept"});
    caseId = 77;
    importer.ImportWEXData("1#B", true, caseId, caseTitle);
    EXPECT_EQ(importer.getErrorMsg(), err);
    EXPECT_EQ(caseId, 77);
    EXPECT_EQ(count("tblDesignCase"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));
}

}  // namespace
}  // namespace qvc
