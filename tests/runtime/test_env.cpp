// Writing files: an exclusive create never replaces a file, and an atomic
// write keeps the old file and leaves no temporary file whatever step fails.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "FakeEnv.h"
#include "TestSupport.h"
#include "qvc/runtime/AtomicFileWrite.h"
#include "qvc/runtime/Env.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/ScopedEnv.h"
#include "qvc/runtime/WritableFileStream.h"

namespace qvc::test {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const auto writeText = [](const std::string& text) {
    return [text](rt::WritableFile& f) { f.append(text); };
};

TEST(RealEnv, ExclusiveCreateAndAtomicWriteNeverHarmAnExistingFile) {
    const fs::path dir = freshDir("runtime", "real-env");
    rt::Env& env = rt::Env::Real();
    const fs::path mine = dir / "report.RTF";
    { std::ofstream(mine, std::ios::binary) << "the user's report"; }
    EXPECT_EQ(test::errorNumberOf([&] { env.createNewFile(mine); }), rt::err::kFileAlreadyExists);
    EXPECT_EQ(readFile(mine), "the user's report");

    EXPECT_EQ(test::errorNumberOf([&] {
                  rt::writeFileAtomically(env, mine, [](rt::WritableFile& f) {
                      f.append("half a rep");
                      throw rt::Error(rt::err::kTypeMismatch, "no value");
                  });
              }),
              rt::err::kTypeMismatch);
    EXPECT_EQ(readFile(mine), "the user's report");
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"report.RTF"});

    // True for a new file, false for a replaced one.
    EXPECT_TRUE(rt::writeFileAtomically(env, dir / "new.TXT", writeText("a\r\nb\r\n")));
    EXPECT_FALSE(rt::writeFileAtomically(env, mine, writeText("the new report")));
    EXPECT_EQ(readFile(dir / "new.TXT"), "a\r\nb\r\n");
    EXPECT_EQ(readFile(mine), "the new report");
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"new.TXT", "report.RTF"}));
    EXPECT_EQ(env.listFolder(dir), namesIn(dir));
    EXPECT_EQ(
        test::errorNumberOf([&] { rt::writeFileAtomically(env, dir / "no" / "x", writeText("")); }),
        rt::err::kPathNotFound);
}

TEST(AtomicFileWrite, EveryFailingStepKeepsTheTargetAndRemovesTheTemporaryFile) {
    FakeEnv env;
    env.addFile("/out/a.RTF", "old");
    const std::string big(200 * 1024, 'x');
    const auto streamed = [&](rt::WritableFile& f) {
        rt::WritableFileStream s(f);
        s << big;
        s.finish();
    };
    struct Case {
        const char* name;
        std::function<void()> inject;
        int32_t number;
    } cases[] = {
        {"second block", [&] { env.failWrite(2); }, rt::err::kPermissionDenied},
        {"disk full", [&] { env.setCapacity(100 * 1024); }, rt::err::kDiskFull},
        {"rename", [&] { env.failRenameOnto("/out/a.RTF"); }, rt::err::kPermissionDenied},
        {"create", [&] { env.failCreatingIn("/out"); }, rt::err::kPermissionDenied},
    };
    for (const Case& c : cases) {
        env.clearFailures();
        c.inject();
        try {
            rt::writeFileAtomically(env, "/out/a.RTF", streamed);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const rt::Error& e) {
            EXPECT_EQ(e.number(), c.number) << c.name;
            EXPECT_NE(e.description().find("\"a.RTF\" into the folder \"/out\""), std::string::npos)
                << c.name << ": " << e.description();
        }
        EXPECT_EQ(env.contents("/out/a.RTF"), "old") << c.name;
        EXPECT_EQ(env.listFolder("/out"), std::vector<std::string>{"a.RTF"}) << c.name;
    }
}

// A replacing write is synced before the rename, so a crash cannot leave the
// name on empty data; a new file does not wait for the disk.
TEST(AtomicFileWrite, StreamsWholeBlocksAndSyncsWhenReplacing) {
    FakeEnv env;
    env.createFolders("/out");
    const std::string big(150 * 1024 + 7, 'y');
    rt::ScopedEnv scope(env);
    const auto streamed = [&](rt::WritableFile& f) {
        rt::WritableFileStream s(f);
        s << big.substr(0, 10) << big.substr(10);
        s.finish();
    };
    EXPECT_TRUE(rt::writeFileAtomically(rt::Env::Default(), "/out/b.RTF", streamed));
    EXPECT_EQ(env.contents("/out/b.RTF"), big);
    EXPECT_FALSE(env.wasSynced("/out/b.RTF"));
    EXPECT_FALSE(rt::writeFileAtomically(rt::Env::Default(), "/out/b.RTF", streamed));
    EXPECT_EQ(env.contents("/out/b.RTF"), big);
    EXPECT_TRUE(env.wasSynced("/out/b.RTF"));
    EXPECT_EQ(env.files(), std::set<fs::path>{"/out/b.RTF"});
}

}  // namespace
}  // namespace qvc::test
