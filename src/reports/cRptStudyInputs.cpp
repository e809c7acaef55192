#include "reports/cRptStudyInputs.h"

#include <array>
#include <optional>

#include "common/ErrorRecord.h"
#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "qvc/document/Table.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Like.h"
#include "reports/ReportLines.h"
#include "reports/ReportState.h"

namespace qvc {

namespace code = doc::code;
using reports::formatStudyNumber;
using reports::numberLine;
using reports::plainLine;

void cRptStudyInputs::setStudyTable(doc::DocumentObject& docs) {
    const auto& study = threadState().arrStudy;
    const ReportState& rs = reportState();
    const ResourceTexts& res = texts();
    const std::string& analysis = study[2];

    docs.NewLine(1);
    plainLine(docs, res.gXstrSIStudyTitle, study[0]);
    docs.AddText(res.gXstrSIStudyDesc + " :", reports::kLineTextSize, std::nullopt, 0, std::nullopt,
                 code::kAlignLeft, code::kDefaultColour, false);
    setDescription(docs, study[1]);
    plainLine(docs, res.gXstrSITypeOfAnalysis, rs.strAnalysisType);
    if (rt::Like(analysis, "[0,1]"))
        plainLine(docs, res.gXstrSITypeofAlternatives, rs.strAlternativeType);
    plainLine(docs, res.gXstrSIBaseYear, study[4]);
    plainLine(docs, res.gXstrSICurSymbol, study[9]);
    numberLine(docs, res.gXstrSILengthOfAnalysis, formatStudyNumber(study[5], 0), res.gXstryrs);
    numberLine(docs, rt::Like(analysis, "[1,2,3]") ? res.gXstrDiscountRate : res.gXstrSIMinROI,
               formatStudyNumber(study[6], 2), res.gXstrPercentPerYear);
    if (rt::Like(analysis, "[0]")) {
        if (study[7] == "True") {
            plainLine(docs, res.gXstrSIConsiderTax, res.cbotaxexempt0);
            numberLine(docs, res.gXstrSIMarginalITRate, formatStudyNumber(study[8], 2),
                       res.gXstrPercentPerYear);
        } else {
            plainLine(docs, res.gXstrSIConsiderTax, res.cbotaxexempt1);
        }
    }
    docs.SetTextFlags(code::kFlagEndBlock, true);
    docs.NewLine(1);
}

void cRptStudyInputs::setDescription(doc::DocumentObject& docs, const std::string& text) {
    try {
        const size_t length = rt::Len(text);
        doc::Table table;
        table.Attach(docs);
        doc::TableCell& cell = table.Cell(1);
        cell.SetAlignment(length >= 65 ? code::kAlignLeft : code::kAlignRight);
        cell.SetCellMeasure(1.75f);
        cell.SetVerticalAlignment(code::kVAlignCentre);
        cell.SetPadding(6.0f / 32.0f);
        cell.SetWidth(4.5f);
        cell.Font().SetUnderline(false);
        cell.SetFontSize(10.0f);
        cell.SetValue(text);
        table.InsertInto(docs);
        if (length > 65)
            docs.NewLine(1);
    } catch (...) {
        threadState().gErrMsg = errorRecord("setDescription", "cRptStudyInputs");
    }
}

}  // namespace qvc
