#pragma once
// The report state the report builder keeps per thread: the texts of the
// study's type of analysis and type of alternatives (prepared at the start of
// every build) and the graph surface of the viewer window while a build runs.
// Only the builder and reports/ReportInputsReader.h read it; the generators get
// both through ReportInputs.
//
// One object per thread (thread_local), like the component's ThreadState; tests
// call resetReportState() together with resetThreadState().

#include <string>

namespace qvc::graph {
class ChartRenderer;
}

namespace qvc {

struct ReportState {
    // Text of the type of analysis (gXstrPvtLC, gXstrPLC, gXstrSPB, gXstrSimpleCF).
    std::string strAnalysisType;
    // Text of the type of alternatives (gXstrMut, gXstrIndependent).
    std::string strAlternativeType;
    // The viewer's graph surface while a build runs; null when the viewer has
    // none and after the build. Not owned.
    graph::ChartRenderer* gGraph = nullptr;
};

ReportState& reportState();
void resetReportState();

}  // namespace qvc
