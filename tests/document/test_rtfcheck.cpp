// Opens the sample report document with a real RTF reader (LibreOffice through
// the rtfcheck tool): it must load, paginate with "Page N of M" footers on every
// page, and raise no lint warning. Skipped when LibreOffice or the tool is absent.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SampleDocument.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

fs::path findRtfcheck() {
    if (const char* env = std::getenv("QVC_RTFCHECK"); env && fs::exists(env)) {
        return env;
    }
    for (fs::path p : {fs::path(QVC_SOURCE_DIR) / "tools/rtfcheck",
                       fs::path(QVC_SOURCE_DIR) / "../shared/tools/rtfcheck",
                       fs::path("/work/shared/tools/rtfcheck")}) {
        if (fs::exists(p)) {
            return p;
        }
    }
    return {};
}

}  // namespace

TEST(RtfCheck, SampleDocumentOpensCleanlyInLibreOffice) {
    fs::path tool = findRtfcheck();
    if (tool.empty()) {
        GTEST_SKIP() << "rtfcheck not found (set QVC_RTFCHECK)";
    }
    if (std::system("command -v soffice > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    }
    const fs::path dir = qvc::test::freshDir("document", "rtfcheck");
    qvc::doc::DocumentObject docs;
    qvc::test::buildSampleDocument(docs, dir.string(), "sample-check.rtf");
    fs::path json = dir / "rtfcheck.json";
    std::string command = "'" + tool.string() +
                          "' --strict --require-page-of --expect-images 4 --expect-tables 4"
                          " --expect-orientation P,P,P,P,L,P --compact --png 60 --outdir '" +
                          (dir / "out").string() + "' '" + (dir / "sample-check.rtf").string() +
                          "' > '" + json.string() + "' 2>&1";
    int status = std::system(command.c_str());
    std::ifstream in(json);
    std::stringstream report;
    report << in.rdbuf();
    ASSERT_TRUE(WIFEXITED(status)) << report.str();
    EXPECT_EQ(WEXITSTATUS(status), 0) << report.str();
}
