// File names made from user text stay inside their folder, fit the file
// system, keep their extension and stay distinct and stable.

#include <gtest/gtest.h>
#include <utf8.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/SafeFileName.h"

namespace qvc::rt {
namespace {

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
    const std::filesystem::path folder = "/out";
    EXPECT_EQ((folder / name).lexically_normal().parent_path(), folder);
    EXPECT_EQ(SafeFileName(name), name) << "not idempotent";
}

TEST(SafeFileName, HostileTextsStayInsideTheFolder) {
    EXPECT_EQ(SafeFileName("../victim", ".RTF"), "_victim.RTF");
    EXPECT_EQ(SafeFileName("../../etc/passwd"), "_.._etc_passwd");
    EXPECT_EQ(SafeFileName(".."), "_");
    EXPECT_EQ(SafeFileName("   "), "_");
    EXPECT_EQ(SafeFileName("", ".TXT"), "_.TXT");
    EXPECT_EQ(SafeFileName(".hidden"), "hidden");
    EXPECT_EQ(SafeFileName("name. . "), "name");
    EXPECT_EQ(SafeFileName("a\\b:c*d?e\"f<g>h|i"), "a_b_c_d_e_f_g_h_i");
    EXPECT_EQ(SafeFileName("tab\there\nnew\x7f"), "tab_here_new_");
    EXPECT_EQ(SafeFileName(std::string("nul\0byte", 8)), "nul_byte");
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
    EXPECT_TRUE(a.starts_with(std::string(100, 'T')));
    EXPECT_NE(a, SafeFileName(base + "B", ".RTF")) << "texts differing at their end collide";
    // "~" and eight hex digits before the extension.
    const std::string tail = a.substr(a.size() - 4 - 9);
    EXPECT_EQ(tail[0], '~');
    EXPECT_EQ(tail.find_first_not_of("0123456789abcdef", 1), 9u) << tail;
    // Exactly at the limit nothing is cut; one byte more is.
    const std::string fits(kMaxFileNameBytes - 4, 'x');
    EXPECT_EQ(SafeFileName(fits, ".RTF"), fits + ".RTF");
    EXPECT_EQ(SafeFileName(fits + "x", ".RTF").size(), kMaxFileNameBytes);
    EXPECT_NE(SafeFileName(fits + "x", ".RTF"), fits + "x.RTF");
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
    // A lower limit for a part of a longer name, between 32 and 200.
    const std::string part = SafeFileName(base, "", 120);
    EXPECT_EQ(part, std::string(111, 'T') + SafeFileName(base).substr(191));
    const std::pair<std::string, size_t> refused[] = {
        {"", 31}, {"", 201}, {std::string(17, 'x'), 200}};
    for (const auto& [extension, limit] : refused) {
        EXPECT_EQ(test::errorNumberOf([&] { SafeFileName("name", extension, limit); }),
                  err::kInvalidProcedureCall);
    }
}

}  // namespace
}  // namespace qvc::rt
