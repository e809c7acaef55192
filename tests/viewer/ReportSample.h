#pragma once
// Report documents as the report builder writes them, for the viewer tests: a
// life-cycle summary (page frame with live page fields, general information,
// shaded tables, three bar charts, a long table that runs onto further pages)
// and a landscape cash-flow report (a stacked-bar chart and a wide table).

#include <cstdint>
#include <string>

#include "qvc/document/DocumentObject.h"

namespace qvc::test {

// Appends the life-cycle summary to `docs` in `folder`; returns its index.
int32_t addLifeCycleSummary(doc::DocumentObject& docs, const std::string& folder);

// Appends the landscape cash-flow report; returns its index.
int32_t addCashFlowReport(doc::DocumentObject& docs, const std::string& folder);

// A one-page document with a single paragraph `text`.
int32_t addShortReport(doc::DocumentObject& docs, const std::string& folder,
                       const std::string& fileName, const std::string& text);

}  // namespace qvc::test
