#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "ProjectFixture.h"
#include "project/ProjectFile.h"

namespace qvc {
namespace {

namespace fs = std::filesystem;

class ProjectTransactions : public test::ProjectFixture {
  protected:
    void SetUp() override {
        ProjectFixture::SetUp();
        prj.addStudyDetails(sampleStudy("First"));
        prj.addStudyDetails(sampleStudy("Second"));
    }

    int32_t addCase(int16_t study, const std::string& title, int investments) {
        cDesignCase c;
        c.CaseTitle = title;
        for (int16_t i = 1; i <= investments; ++i) {
            c.setInvItemName(i, title + " item " + std::to_string(i));
            c.setInvCost(i, 1000.0 * i);
        }
        c.setAnnOpCostName(1, "Energy");
        c.setAnnOpCost(1, 500.0);
        prj.addCaseDetails(study, c);
        EXPECT_EQ(prj.getErrorMsg(), "");
        return prj.LastAddedCaseID();
    }
    std::string snapshot() {
        std::string all;
        for (const char* table : {"tblStudy", "tblDesignCase", "tblInvestmentCost",
                                  "tblLoanDetails", "tblAnnualOPCost", "tblOtherOPCost"}) {
            auto db = dao::Database::Open((dir / "ORV30.mdb").string(), {.readOnly = true});
            auto rs = db->OpenRecordset(std::string("SELECT * FROM ") + table + " ORDER BY 1");
            for (; !rs->eof(); rs->MoveNext())
                for (int f = 0; f < rs->fieldCount(); ++f)
                    all += (rs->field(f).isNull() ? "<null>" : rs->field(f).toText()) + "|";
            all += "\n";
        }
        return all;
    }
};

TEST_F(ProjectTransactions, RowKeysOfAnotherCaseAreRefusedAndNothingIsWritten) {
    const int32_t theirs = addCase(1, "Theirs", 2);
    const int32_t ours = addCase(2, "Ours", 3);
    const int32_t theirKey = read(1, theirs).InvItemPK(1);
    ASSERT_NE(theirKey, 0);
    const std::string before = snapshot();
    cDesignCase emptied = read(2, ours);
    emptied.CaseTitle = "Renamed";
    emptied.setInvItemName(2, "");
    emptied.setInvCost(2, 0.0);
    emptied.setInvItemPK(3, theirKey);
    emptied.setInvItemName(3, "");
    emptied.setInvCost(3, 0.0);
    prj.updateCaseDetails(2, ours, emptied);
    EXPECT_NE(prj.getErrorMsg().find("investment row 3 has the key " + std::to_string(theirKey)),
              std::string::npos)
        << prj.getErrorMsg();
    EXPECT_EQ(snapshot(), before) << "no title, row or key changed by a refused update";
}

TEST_F(ProjectTransactions, CopyAndConversionChangeEverythingOrNothing) {
    // A case whose stored year does not fit makes both fail partway.
    for (int k = 1; k <= 3; ++k)
        addCase(1, "Case " + std::to_string(k), 4);
    const int32_t bad = addCase(1, "Unreadable", 2);
    execute("UPDATE tblInvestmentCost SET nInvYear = 70000 WHERE iCaseId = " + std::to_string(bad));
    const std::string before = snapshot();
    std::string xml;
    EXPECT_FALSE(prj.DuplicateStudy(1, xml));
    EXPECT_EQ(snapshot(), before) << "no partial copy";
    prj.ChangeAnalysisType(2, 1, 25);
    EXPECT_NE(prj.getErrorMsg(), "");
    EXPECT_EQ(snapshot(), before) << "no case converted";
    EXPECT_EQ(notifier->calls.size(), 2u) << "only the two studies added";
}

TEST_F(ProjectTransactions, HostTransactionCommitsOrUndoesEveryOperationInIt) {
    const std::string before = snapshot();
    prj.BeginTransaction();
    prj.addStudyDetails(sampleStudy("Inside"));
    addCase(3, "Inside case", 2);
    EXPECT_EQ(prj.chkMaxStudyAndCase(0), 3) << "reads inside see the open changes";
    prj.RollbackTransaction();
    EXPECT_EQ(snapshot(), before);
    // A failing operation inside makes the commit undo the others too.
    prj.BeginTransaction();
    prj.addStudyDetails(sampleStudy("Inside"));
    cDesignCase badKey;
    badKey.setInvItemName(1, "x");
    badKey.setInvItemPK(1, 999);
    prj.updateCaseDetails(1, addCase(1, "Target", 1), badKey);
    prj.CommitTransaction();
    EXPECT_NE(prj.getErrorMsg().find("all of it was undone"), std::string::npos)
        << prj.getErrorMsg();
    EXPECT_EQ(snapshot(), before);
    prj.BeginTransaction();
    prj.addStudyDetails(sampleStudy("Kept"));
    prj.BeginTransaction();
    EXPECT_EQ(prj.getErrorMsg().substr(0, 2), "5#");
    prj.CommitTransaction();
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(count("tblStudy", "sStudyTitle = 'Kept'"), 1);
    prj.CommitTransaction();
    EXPECT_EQ(prj.getErrorMsg().substr(0, 5), "3034#");
}

TEST_F(ProjectTransactions, KeysBeyondSixteenBitsStayReadableAndUpdatable) {
    execute("INSERT INTO sqlite_sequence (name, seq) VALUES ('tblInvestmentCost', 40000)");
    const int32_t id = addCase(1, "Wide", 2);
    cDesignCase c = read(1, id);
    EXPECT_EQ(c.InvItemPK(2), 40002);
    c.setInvCost(2, 7.5);
    prj.updateCaseDetails(1, id, c);
    EXPECT_EQ(read(1, id).InvCost(2), 7.5);
}

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

long filesIn(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), {});
}

TEST_F(ProjectTransactions, ReadsLeaveTheFileAsItWasAndNothingBesideIt) {
    addCase(1, "Read me", 2);
    const fs::path file = dir / "ORV30.mdb";
    const std::string before = bytesOf(file);
    std::string xml;
    prj.getProjectDetails(xml);
    read(1, 1);
    EXPECT_EQ(prj.chkMaxStudyAndCase(1), 1);
    EXPECT_TRUE(prj.CaseExists(1, 1));
    EXPECT_EQ(bytesOf(file), before);
    EXPECT_EQ(filesIn(dir), 1) << "no journal or shared-memory file";
}

TEST_F(ProjectTransactions, FilesThatAreNotProjectsAreRefusedByNameAndLeftUntouched) {
    const fs::path file = dir / "ORV30.mdb";
    auto expectRefused = [&](const std::string& words) {
        const std::string before = bytesOf(file);
        prj.addStudyDetails(sampleStudy("Never"));
        EXPECT_NE(prj.getErrorMsg().find(words), std::string::npos) << prj.getErrorMsg();
        EXPECT_NE(prj.getErrorMsg().find("ORV30.mdb"), std::string::npos);
        EXPECT_EQ(prj.chkMaxStudyAndCase(0), 0);
        EXPECT_EQ(bytesOf(file), before);
        EXPECT_EQ(filesIn(dir), 1);
    };
    fs::remove(file);
    std::ofstream(file).close();
    expectRefused("is not a project database (the file is empty)");
    std::ofstream(file, std::ios::binary) << "PK\x03\x04 a zip file, say";
    expectRefused("is not a project database (it is not a database file)");
    fs::remove(file);
    {
        auto db = dao::Database::Create(file.string());
        db->Execute("CREATE TABLE tblStudy (x); CREATE TABLE other (y)");
    }
    expectRefused("it belongs to another program");
    fs::remove(file);
    project::createProjectDatabase(file.string());
    execute("PRAGMA user_version = 99");
    expectRefused("newer version");
    fs::remove(file);  // a project whose pages are damaged after its header
    project::createProjectDatabase(file.string());
    std::string damaged = bytesOf(file);
    for (size_t i = 100; i < damaged.size(); ++i)
        damaged[i] = static_cast<char>(0xA5);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << damaged;
    expectRefused("is damaged");
}

TEST_F(ProjectTransactions, ProjectsFromBeforeTheMarkAreReadAndMarkedOnTheirFirstChange) {
    execute("PRAGMA application_id = 0; PRAGMA user_version = 0; PRAGMA journal_mode = WAL");
    EXPECT_EQ(prj.chkMaxStudyAndCase(0), 2);
    EXPECT_EQ(prj.getErrorMsg(), "");
    prj.addStudyDetails(sampleStudy("Third"));
    EXPECT_EQ(scalar("PRAGMA application_id").toInt32(), project::kApplicationId);
    EXPECT_EQ(scalar("PRAGMA journal_mode").toText(), "delete");
    EXPECT_EQ(filesIn(dir), 1);
}

}  // namespace
}  // namespace qvc
