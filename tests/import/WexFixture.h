#pragma once
// A project with one study (life cycle 25 years) and the English item names,
// plus sibling building-load projects built row by row.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ProjectFixture.h"
#include "common/ThreadState.h"
#include "qvc/cWEXTagImporter.h"
#include "qvc/dao/Database.h"

namespace qvc::test {

struct TagRow {
    std::string key;
    std::optional<std::string> value;  // nullopt stores Null
    int seq;
};

struct Tag {
    int id;
    std::string name;
    std::vector<TagRow> rows;
    std::string app = "WEX";
    int equipType = 500;
};

inline std::string sqlText(const std::optional<std::string>& s) {
    if (!s)
        return "NULL";
    std::string out = "'";
    for (char c : *s) {
        if (c == '\'')
            out += '\'';
        out += c;
    }
    return out + "'";
}

class WexFixture : public ProjectFixture {
  protected:
    void SetUp() override {
        ProjectFixture::SetUp();
        ResourceTexts& res = threadState().res;
        res.gXstrWEXElectric = "Electricity";
        res.gXstrWEXNG = "Natural Gas";
        res.gXstrWEXFO = "Fuel Oil";
        res.gXstrWEXPropane = "Propane";
        res.gXstrWEXRHW = "Purchased Hot Water";
        res.gXstrWEXRS = "Purchased Steam";
        res.gXstrWEXRCW = "Purchased Chilled Water";
        res.gXstrMaintenance = "Maintenance";
        res.gXstrWEXEnergy = "Annual energy costs imported from the building load calculation.";
        threadState().gStringsLoaded = true;
        prj.addStudyDetails(sampleStudy());
        wexDir = dir / "wex";
        importer.StudyID = 1;
        importer.WexProjectPath = wexDir.string();
    }

    // Writes wexDir/Project.mdb with the given tags and their data rows.
    void makeWex(const std::vector<Tag>& tags, bool withTagData = true) {
        std::filesystem::create_directories(wexDir);
        auto db = dao::Database::Create((wexDir / "Project.mdb").string());
        std::string sql =
            "BEGIN; CREATE TABLE TagIndex (lTagID LONG, sTagName TEXT, sApp TEXT, lEquipType "
            "LONG);";
        if (withTagData)
            sql += "CREATE TABLE TagData (lTagID LONG, sKey TEXT, sValue TEXT, lSeqNumber LONG);";
        for (const Tag& t : tags) {
            sql += "INSERT INTO TagIndex VALUES (" + std::to_string(t.id) + ", " + sqlText(t.name) +
                   ", " + sqlText(t.app) + ", " + std::to_string(t.equipType) + ");";
            for (const TagRow& r : t.rows)
                sql += "INSERT INTO TagData VALUES (" + std::to_string(t.id) + ", " +
                       sqlText(r.key) + ", " + sqlText(r.value) + ", " + std::to_string(r.seq) +
                       ");";
        }
        db->Execute(sql + "COMMIT;");
        db->Close();
    }

    // Imports and reads the new case back.
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

}  // namespace qvc::test
