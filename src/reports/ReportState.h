#pragma once
// The report state shared per thread by the report builder and the report
// generators: the texts of the study's type of analysis and type of
// alternatives (prepared at the start of every build), the graph surface of the
// viewer window for the chart generators, and the text cash-flow file's outcome.
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
    // Set by the text cash-flow writer when it wrote its file, with the path;
    // read and reset by the builder.
    bool gAsciiFileWritten = false;
    std::string gAsciiPath;
};

ReportState& reportState();
void resetReportState();

}  // namespace qvc
