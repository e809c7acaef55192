#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "SampleDocument.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

TEST(RtfCheck, SampleDocumentOpensCleanlyInLibreOffice) {
    const char* env = std::getenv("QVC_RTFCHECK");
    const fs::path tool =
        env ? fs::path(env) : fs::path(QVC_SOURCE_DIR) / "../shared/tools/rtfcheck";
    if (!fs::exists(tool) || std::system("command -v soffice > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "rtfcheck (set QVC_RTFCHECK) or LibreOffice (soffice) not found";
    const fs::path dir = qvc::test::freshDir("document", "rtfcheck");
    qvc::doc::DocumentObject docs;
    qvc::test::buildSampleDocument(docs, dir.string(), "sample-check.rtf");
    const std::string command = "'" + tool.string() +
                                "' --strict --require-page-of --expect-images 4 --expect-tables 4"
                                " --expect-orientation P,P,P,P,L,P --compact --outdir '" +
                                (dir / "out").string() + "' '" +
                                (dir / "sample-check.rtf").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}
