#include <gtest/gtest.h>

#include <functional>

#include "CaseRowText.h"
#include "ProjectFixture.h"

namespace qvc {
namespace {

using StudyOperations = test::ProjectFixture;

TEST_F(StudyOperations, StudyRoundTripsUpdatesCountsAndNotifiesOncePerChange) {
    EXPECT_EQ(prj.GetMaxStudyID(), 1);  // empty table
    const cStudy in = sampleStudy();
    prj.addStudyDetails(in);
    prj.addStudyDetails(sampleStudy("B"));
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(notifier->calls, (std::vector<bool>{true, true}));
    auto text = [](const cStudy& s) {
        return test::joinedFields(s.StudyTitle, s.StudyDescription, s.BaseYear, s.CurSymbol,
                                  s.Lifecycle, s.DiscountRate, s.CalcIncomeTaxes, s.IncomeTaxes);
    };
    cStudy out;
    prj.getStudyDetails(1, out);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(text(out), text(in));
    EXPECT_EQ(threadState().gdbProject, nullptr) << "nothing stays open between calls";

    // A Null description reads as empty; an update restarts the copy counter.
    execute("UPDATE tblStudy SET sStudyDescription = NULL, iStudyCopy = 2");
    prj.getStudyDetails(1, out);
    EXPECT_EQ(out.StudyDescription, "");
    out.StudyTitle = "Renamed";
    out.Lifecycle = 30;
    prj.updateStudyDetails(1, out);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(scalar("SELECT iStudyCopy FROM tblStudy").toInt32(), 0);
    prj.getStudyDetails(1, out);
    EXPECT_EQ(out.StudyTitle, "Renamed");
    EXPECT_EQ(out.Lifecycle, 30);

    // A study that does not exist: nothing written.
    prj.updateStudyDetails(42, sampleStudy("nowhere"));
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(count("tblStudy", "sStudyTitle = 'nowhere'"), 0);

    cDesignCase c;
    prj.addCaseDetails(2, c);
    prj.addCaseDetails(2, c);
    EXPECT_EQ(notifier->calls.size(), 3u) << "case operations do not notify";
    EXPECT_EQ(prj.chkMaxStudyAndCase(), 2);
    EXPECT_EQ(prj.chkMaxStudyAndCase(1), 0);
    EXPECT_EQ(prj.GetMaxStudyID(), 2);
    EXPECT_EQ(prj.GetMaxCaseID(), 2);
}

TEST_F(StudyOperations, MissingDatabaseFailsEveryOperationWithTheOpenRecord) {
    prj.setWorkPath((dir / "none").string(), "", "");
    const std::string missing =
        "3024#Could not find file '" + (dir / "none" / "ORV30.mdb").string() + "'";
    const std::string record = missing + "#openDB#cDBoperations #";
    cStudy s = sampleStudy("unchanged");
    cDesignCase c;
    // Writes name the operation; reads give the opening's own record.
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { prj.addStudyDetails(s); }, missing + "#addStudyDetails#cORVProject#"},
        {[&] { prj.getStudyDetails(1, s); }, record},
        {[&] { prj.updateCaseDetails(1, 1, c); }, missing + "#updateCaseDetails#cORVProject#"},
    };
    for (const auto& [operation, expected] : cases) {
        prj.clearError();
        operation();
        EXPECT_EQ(prj.getErrorMsg(), expected);
    }
    EXPECT_EQ(s.StudyTitle, "unchanged");
    EXPECT_TRUE(notifier->calls.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "none"));
}

}  // namespace
}  // namespace qvc
