#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/ThreadState.h"
#include "project/ProjectSchema.h"
#include "qvc/cDesignCase.h"
#include "qvc/cORVProject.h"
#include "qvc/dao/Database.h"

namespace qvc::test {

// A list row of a design case as one text "name|cost|...", so that tests compare whole rows.
template <typename... Fields>
std::string joinedFields(const Fields&... fields) {
    std::ostringstream out;
    out.precision(15);
    const char* separator = "";
    ((out << separator << fields, separator = "|"), ...);
    return out.str();
}

// name|cost|year|escalation|tax exempt|depreciation method|depreciation life|useful life|salvage
inline std::string investmentRow(const cDesignCase& c, int16_t i) {
    return joinedFields(c.InvItemName(i), c.InvCost(i), c.InvYear(i), c.InvEscRate(i),
                        c.InvTaxExempt(i), c.InvDepMethod(i), c.InvDepLife(i), c.InvUsefulLife(i),
                        c.SalvageValue(i));
}

inline std::string annualRow(const cDesignCase& c, int16_t i) {
    return joinedFields(c.AnnOpCostName(i), c.AnnOpCost(i), c.AnnOpCostStartYear(i),
                        c.AnnOpCostNumYears(i), c.AnnOpCostEscRate(i));
}

inline std::string otherRow(const cDesignCase& c, int16_t i) {
    return joinedFields(c.OtherOpCostName(i), c.OtherOpCost(i), c.OtherOpCostStartYear(i),
                        c.OtherOpCostTimes(i), c.OtherOpCostInterval(i), c.OtherOpCostEscRate(i));
}

inline std::string loanRow(const cDesignCase& c, int16_t i) {
    return joinedFields(c.LoanItemName(i), c.LoanYear(i), c.LoanPercent(i), c.LoanTerm(i),
                        c.LoanIntRate(i), c.LoanPayPlan(i), c.LoanTotlaInvest(i));
}

class CountingNotifier : public IChangeNotifier {
  public:
    void NotifyChanged(bool changed) override { calls.push_back(changed); }
    std::vector<bool> calls;
};

class ProjectFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        resetThreadState();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = freshDir("project", std::string(info->test_suite_name()) + "." + info->name());
        project::createProjectDatabase((dir / "ORV30.mdb").string());
        notifier = std::make_shared<CountingNotifier>();
        prj.setChangeNotifier(notifier);
        prj.setWorkPath(dir.string(), "", "");
    }
    void TearDown() override { resetThreadState(); }

    void execute(const std::string& sql) {
        auto db = dao::Database::Open((dir / "ORV30.mdb").string());
        db->Execute(sql);
        db->Close();
    }
    rt::Value scalar(const std::string& sql) {
        auto db = dao::Database::Open((dir / "ORV30.mdb").string());
        auto rs = db->OpenRecordset(sql);
        return rs->eof() ? rt::Value() : rs->field(0);
    }
    int count(const std::string& table, const std::string& where = "") {
        return scalar("SELECT count(*) FROM " + table + (where.empty() ? "" : " WHERE " + where))
            .toInt32();
    }
    cDesignCase read(int16_t study, int32_t caseId) {
        cDesignCase c;
        prj.getCaseDetails(study, static_cast<int16_t>(caseId), c);
        EXPECT_EQ(prj.getErrorMsg(), "");
        return c;
    }

    cStudy sampleStudy(const std::string& title = "Office HVAC") {
        cStudy s;
        s.StudyTitle = title;
        s.StudyDescription = "Replacement of the central plant";
        s.BaseYear = 2026;
        s.CurSymbol = "$";
        s.Lifecycle = 25;
        s.DiscountRate = 3.5;
        s.CalcIncomeTaxes = true;
        s.IncomeTaxes = 28.0;
        return s;
    }

    std::filesystem::path dir;
    cORVProject prj;
    std::shared_ptr<CountingNotifier> notifier;
};

}  // namespace qvc::test
