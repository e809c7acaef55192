// The project summary mark-up of cORVProject.

#include "common/ThreadState.h"

#include <fmt/format.h>
#include "project/MarkupEscape.h"
#include "project/ProjectOperation.h"
#include "project/cDBoperations.h"
#include "qvc/cORVProject.h"

namespace qvc {
namespace {

std::string escaped(const rt::Value& v) {
    return EscapeApostrophes(EscapeMarkup(v.toText()));
}

std::string studyElement(const dao::Recordset& rs) {
    std::string e = fmt::format("<study Id='{}'", rs.field("iStudyId").toInt16());
    e += " StudyTitle='" + escaped(rs.field("sStudyTitle")) + "'";
    e += " CurSymbol='" + escaped(rs.field("sCurrSymbol")) + "'";
    e += fmt::format(" LifeCycle='{}' TypeofAnalysis='{}' TypeOfAlternatives='{}'",
                     rs.field("nLifecycle").toInt16(), rs.field("nTypeOfAnalysis").toInt16(),
                     rs.field("nTypeOfAlts").toInt16());
    e += rs.field("bCalcIncomeTaxes").toBool() ? " bTaxChecked='1'>" : " bTaxChecked='0'>";
    return e;
}

}  // namespace

void cORVProject::getProjectDetails(std::string& strXML, int16_t iStudyID) {
    ProjectOperation op(*this, "getProjectDetails");
    std::unique_ptr<dao::Recordset> rs;
    try {
        rs = op.db().getProjectDetails(iStudyID);
        if (!op.db().ErrorText().empty()) {
            op.errorText() = op.db().ErrorText();
            CloseDatabase();
            return;
        }
        std::string xml = "<project>";
        bool opened = false;
        int16_t current = 0;
        if (rs && !isEmptyResult(*rs)) {
            for (; !rs->eof(); rs->MoveNext()) {
                const int16_t id = rs->field("iStudyId").toInt16();
                if (!opened || id != current) {
                    if (opened)
                        xml += "</study>";
                    xml += studyElement(*rs);
                    opened = true;
                    current = id;
                }
                if (!rs->field("iCaseId").isNull()) {
                    xml += fmt::format("<case id='{}'>{}</case>", rs->field("iCaseId").toInt32(),
                                       escaped(rs->field("sCaseTitle")));
                }
            }
        }
        xml += opened ? "</study></project>" : "</project>";
        CloseRecordset(rs);
        op.db().closeDB();
        if (op.db().ErrorText().empty()) {
            strXML = std::move(xml);
        } else {
            op.errorText() = op.db().ErrorText();
        }
    } catch (...) {
        op.fail();
        CloseRecordset(rs);
        CloseDatabase();
    }
}

}  // namespace qvc
