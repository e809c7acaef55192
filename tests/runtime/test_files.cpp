#include <gtest/gtest.h>

#include <utf8.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "FakeEnv.h"
#include "TestSupport.h"
#include "qvc/runtime/AtomicFileWrite.h"
#include "qvc/runtime/Env.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/SafeFileName.h"
#include "qvc/runtime/ScopedEnv.h"
#include "qvc/runtime/WritableFileStream.h"

namespace qvc::rt {
namespace {

namespace fs = std::filesystem;

// The properties every name must have, whatever it was made from.
void expectSafe(const std::string& name, const std::string& from) {
    SCOPED_TRACE("made from \"" + from + "\"");
    ASSERT_FALSE(name.empty());
    EXPECT_LE(name.size(), kMaxFileNameBytes);
    EXPECT_TRUE(utf8::is_valid(name.begin(), name.end()));
    EXPECT_NE(name.front(), '.');
    EXPECT_NE(name.back(), ' ');
    for (const char c : name)
        EXPECT_GE(static_cast<unsigned char>(c), 0x20u);
    const fs::path folder = "/out";
    EXPECT_EQ((folder / name).lexically_normal().parent_path(), folder);
    EXPECT_EQ(SafeFileName(name), name) << "not idempotent";
}

TEST(SafeFileName, HostileTextsStayInsideTheFolder) {
    EXPECT_EQ(SafeFileName("../victim", ".RTF"), "_victim.RTF");
    EXPECT_EQ(SafeFileName("a\\b:c*d?e\"f<g>h|i"), "a_b_c_d_e_f_g_h_i");
    EXPECT_EQ(SafeFileName("a\x80z\xE2\x82"), "a_z__");                // ill-formed bytes
    EXPECT_EQ(SafeFileName("report\u202Eftr.exe"), "report_ftr.exe");  // direction override
    EXPECT_EQ(SafeFileName("Études ÄÖÜ 東京 €", ".RTF"), "Études ÄÖÜ 東京 €.RTF");
    for (const std::string text :
         {"/", "..\\..", " . ", "\x01\x02", "a/../../b", "\xff\xfe\xfd", "\xED\xA0\x80", "x\u2028y",
          ".../...", "\u202E..", "..\xe2", "\xC0\xAF"}) {
        expectSafe(SafeFileName(text), text);
        expectSafe(SafeFileName(text, ".RTF"), text);
    }
}

TEST(SafeFileName, LongTextsAreCutOnACharacterAndKeepTheirExtensionAndADistinctHash) {
    const std::string base(300, 'T');
    const std::string a = SafeFileName(base + "A", ".RTF");
    expectSafe(a, "300 x T + A");
    EXPECT_EQ(a.size(), kMaxFileNameBytes);
    EXPECT_NE(a, SafeFileName(base + "B", ".RTF")) << "texts differing at their end collide";
    // Exactly at the limit nothing is cut.
    const std::string fits(kMaxFileNameBytes - 4, 'x');
    EXPECT_EQ(SafeFileName(fits, ".RTF"), fits + ".RTF");
    // Three-byte characters are never split, whatever the cut position.
    for (const std::string lead : {"", "a", "ab"}) {
        std::string text = lead;
        for (int i = 0; i < 150; ++i)
            text += "東";
        expectSafe(SafeFileName(text, ".TXT"), "lead + 150 x 東");
    }
    // A cut that ends on dots does not leave them before the hash.
    const std::string cut = SafeFileName(std::string(185, 'x') + std::string(100, '.') + "y");
    EXPECT_EQ(cut.find_first_not_of('x'), 185u) << cut;
    EXPECT_EQ(cut[185], '~') << cut;
    const std::pair<std::string, size_t> refused[] = {
        {"", 31}, {"", 201}, {std::string(17, 'x'), 200}};
    for (const auto& [extension, limit] : refused) {
        EXPECT_EQ(test::errorNumberOf([&] { SafeFileName("name", extension, limit); }),
                  err::kInvalidProcedureCall);
    }
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const auto writeText = [](const std::string& text) {
    return [text](WritableFile& f) { f.append(text); };
};

TEST(RealEnv, ExclusiveCreateAndAtomicWriteNeverHarmAnExistingFile) {
    const fs::path dir = test::freshDir("runtime", "real-env");
    Env& env = Env::Real();
    const fs::path mine = dir / "report.RTF";
    { std::ofstream(mine, std::ios::binary) << "the user's report"; }
    EXPECT_EQ(test::errorNumberOf([&] { env.createNewFile(mine); }), err::kFileAlreadyExists);
    EXPECT_EQ(readFile(mine), "the user's report");
    EXPECT_EQ(test::errorNumberOf([&] {
                  writeFileAtomically(env, mine, [](WritableFile& f) {
                      f.append("half a rep");
                      throw Error(err::kTypeMismatch, "no value");
                  });
              }),
              err::kTypeMismatch);
    EXPECT_EQ(readFile(mine), "the user's report");
    EXPECT_EQ(env.listFolder(dir), std::vector<std::string>{"report.RTF"});
    // True for a new file, false for a replaced one.
    EXPECT_TRUE(writeFileAtomically(env, dir / "new.TXT", writeText("a\r\nb\r\n")));
    EXPECT_FALSE(writeFileAtomically(env, mine, writeText("the new report")));
    EXPECT_EQ(readFile(dir / "new.TXT"), "a\r\nb\r\n");
    EXPECT_EQ(readFile(mine), "the new report");
    EXPECT_EQ(env.listFolder(dir), (std::vector<std::string>{"new.TXT", "report.RTF"}));
    EXPECT_EQ(
        test::errorNumberOf([&] { writeFileAtomically(env, dir / "no" / "x", writeText("")); }),
        err::kPathNotFound);
}

TEST(AtomicFileWrite, EveryFailingStepKeepsTheTargetAndRemovesTheTemporaryFile) {
    test::FakeEnv env;
    env.addFile("/out/a.RTF", "old");
    const std::string big(200 * 1024, 'x');
    const auto streamed = [&](WritableFile& f) {
        WritableFileStream s(f);
        s << big;
        s.finish();
    };
    struct Case {
        const char* name;
        std::function<void()> inject;
        int32_t number;
    } cases[] = {
        {"second block", [&] { env.failWrite(2); }, err::kPermissionDenied},
        {"disk full", [&] { env.setCapacity(100 * 1024); }, err::kDiskFull},
        {"rename", [&] { env.failRenameOnto("/out/a.RTF"); }, err::kPermissionDenied},
        {"create", [&] { env.failCreatingIn("/out"); }, err::kPermissionDenied},
    };
    for (const Case& c : cases) {
        env.clearFailures();
        c.inject();
        try {
            writeFileAtomically(env, "/out/a.RTF", streamed);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), c.number) << c.name;
            EXPECT_NE(e.description().find("\"a.RTF\" into the folder \"/out\""), std::string::npos)
                << c.name << ": " << e.description();
        }
        EXPECT_EQ(env.contents("/out/a.RTF"), "old") << c.name;
        EXPECT_EQ(env.listFolder("/out"), std::vector<std::string>{"a.RTF"}) << c.name;
    }
}

// A replacing write is synced before the rename: a crash cannot leave the name on empty data.
TEST(AtomicFileWrite, StreamsWholeBlocksAndSyncsWhenReplacing) {
    test::FakeEnv env;
    env.createFolders("/out");
    const std::string big(150 * 1024 + 7, 'y');
    ScopedEnv scope(env);
    const auto streamed = [&](WritableFile& f) {
        WritableFileStream s(f);
        s << big.substr(0, 10) << big.substr(10);
        s.finish();
    };
    EXPECT_TRUE(writeFileAtomically(Env::Default(), "/out/b.RTF", streamed));
    EXPECT_EQ(env.contents("/out/b.RTF"), big);
    EXPECT_FALSE(env.wasSynced("/out/b.RTF"));
    EXPECT_FALSE(writeFileAtomically(Env::Default(), "/out/b.RTF", streamed));
    EXPECT_EQ(env.contents("/out/b.RTF"), big);
    EXPECT_TRUE(env.wasSynced("/out/b.RTF"));
    EXPECT_EQ(env.files(), std::set<fs::path>{"/out/b.RTF"});
}

}  // namespace
}  // namespace qvc::rt
