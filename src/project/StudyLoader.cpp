#include "project/StudyLoader.h"

#include "common/CaseSnapshot.h"
#include "common/StudySettings.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {
namespace {

std::string textOrEmpty(const rt::Value& v) {
    return v.isNull() ? std::string() : v.toText();
}

}  // namespace

void StudyLoader::loadStudy(int16_t studyId) {
    try {
        readStudy(studyId);
    } catch (...) {
        CloseDatabase();
        throw;
    }
    CloseDatabase();
}

void StudyLoader::readStudy(int16_t studyId) {
    auto rs = db_.getStudyRecords(studyId);
    if (!rs)
        throw rt::Error(rt::err::kObjectNotSet, "Object variable or With block variable not set");
    if (!isEmptyResult(*rs)) {
        using namespace StudyField;
        auto& s = state_.arrStudy;
        s[Title] = rs->field("sStudyTitle").toText();
        s[Description] = textOrEmpty(rs->field("sStudyDescription"));
        s[TypeOfAnalysis] = rs->field("nTypeOfAnalysis").toText();
        s[TypeOfAlternatives] = rs->field("nTypeOfAlts").toText();
        s[BaseYear] = rs->field("nBaseYear").toText();
        s[LifeCycle] = rs->field("nLifecycle").toText();
        s[DiscountRate] = rs->field("dDiscountRate").toText();
        s[CalcIncomeTaxes] = rs->field("bCalcIncomeTaxes").toBool() ? "True" : "False";
        s[IncomeTaxRate] = rs->field("dIncomeTaxRate").toText();
        s[CurrencySymbol] = rs->field("sCurrSymbol").toText();
    }
    CloseRecordset(rs);
    db_.closeDB();
}

void StudyLoader::loadCaseIds(int16_t studyId, rt::DynArray<int16_t>& ids) {
    db_.getCaseIDs(studyId, ids);
}

void StudyLoader::loadCase(int16_t studyId, int16_t caseId) {
    ThreadState& s = state_;
    s.arrCaseStatus.fill(0);
    db_.getCaseRecords(studyId, caseId, s.arrCaseGen, s.arrInvCosts, s.arrLoan, s.arrAnOpCost,
                       s.arrOtherCost);
}

void StudyLoader::addCaseSnapshot(const std::string& key) {
    ThreadState& s = state_;
    s.colCases.Add(
        CaseSnapshot::of(s.arrCaseGen, s.arrInvCosts, s.arrLoan, s.arrAnOpCost, s.arrOtherCost),
        key);
}

void StudyLoader::eraseCaseArrays() {
    ThreadState& s = state_;
    s.arrCaseGen.erase();
    s.arrInvCosts.erase();
    s.arrLoan.erase();
    s.arrAnOpCost.erase();
    s.arrOtherCost.erase();
}

}  // namespace qvc
