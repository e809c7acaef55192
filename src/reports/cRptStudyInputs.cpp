#include "reports/cRptStudyInputs.h"

#include <fmt/format.h>

#include <array>
#include <optional>

#include "common/ErrorRecord.h"
#include "qvc/document/Table.h"
#include "qvc/runtime/BasicString.h"
#include "reports/ReportLines.h"

namespace qvc {

namespace code = doc::code;
using reports::formatNumber;
using reports::numberLine;
using reports::plainLine;

std::string cRptStudyInputs::setStudyTable(doc::DocumentObject& docs) {
    const StudySettings& study = in_.study;
    const ResourceTexts& res = in_.texts;
    const int16_t analysis = study.typeOfAnalysis;

    docs.NewLine(1);
    plainLine(docs, res.gXstrSIStudyTitle, study.title);
    docs.AddText(res.gXstrSIStudyDesc + " :", reports::kLineTextSize, std::nullopt, 0, std::nullopt,
                 code::kAlignLeft, code::kDefaultColour, false);
    const std::string failure = setDescription(docs, study.description);
    plainLine(docs, res.gXstrSITypeOfAnalysis, in_.analysisTypeText);
    if (analysis == 0 || analysis == 1)
        plainLine(docs, res.gXstrSITypeofAlternatives, in_.alternativeTypeText);
    plainLine(docs, res.gXstrSIBaseYear, fmt::format("{}", study.baseYear));
    plainLine(docs, res.gXstrSICurSymbol, study.currencySymbol);
    numberLine(docs, res.gXstrSILengthOfAnalysis, formatNumber(study.lifeCycle, 0), res.gXstryrs);
    numberLine(docs, analysis >= 1 && analysis <= 3 ? res.gXstrDiscountRate : res.gXstrSIMinROI,
               formatNumber(study.discountRate, 2), res.gXstrPercentPerYear);
    if (analysis == 0) {
        if (study.calculateIncomeTaxes) {
            plainLine(docs, res.gXstrSIConsiderTax, res.cbotaxexempt0);
            numberLine(docs, res.gXstrSIMarginalITRate, formatNumber(study.incomeTaxRate, 2),
                       res.gXstrPercentPerYear);
        } else {
            plainLine(docs, res.gXstrSIConsiderTax, res.cbotaxexempt1);
        }
    }
    docs.SetTextFlags(code::kFlagEndBlock, true);
    docs.NewLine(1);
    return failure;
}

std::string cRptStudyInputs::setDescription(doc::DocumentObject& docs, const std::string& text) {
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
        return errorRecord("setDescription", "cRptStudyInputs");
    }
    return {};
}

}  // namespace qvc
