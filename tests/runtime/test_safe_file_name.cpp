// File names made from text: hostile titles and resource texts stay inside the
// folder, long titles still give a file, and the result is stable.

#include <gtest/gtest.h>
#include <utf8.h>

#include <filesystem>
#include <string>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/SafeFileName.h"

namespace qvc::rt {
namespace {

namespace fs = std::filesystem;

// The properties every name must have, whatever it was made from.
void expectSafe(const std::string& name, const std::string& from) {
    SCOPED_TRACE("made from \"" + from + "\"");
    ASSERT_FALSE(name.empty());
    EXPECT_LE(name.size(), kMaxFileNameBytes);
    EXPECT_TRUE(utf8::is_valid(name.begin(), name.end()));
    EXPECT_EQ(name.find('/'), std::string::npos);
    EXPECT_EQ(name.find('\\'), std::string::npos);
    EXPECT_NE(name.front(), '.');
    EXPECT_NE(name.back(), ' ');
    for (const char c : name)
        EXPECT_GE(static_cast<unsigned char>(c), 0x20u);
    // Joined to a folder it names a file directly inside that folder.
    const fs::path folder = "/out";
    EXPECT_EQ((folder / name).lexically_normal().parent_path(), folder);
    EXPECT_EQ(SafeFileName(name), name) << "not idempotent";
}

// Reproducer: the resource text WorkingText='../victim' as the study inputs
// title made the report "../victim.RTF", written (and later deleted) beside
// the output folder instead of inside it.
TEST(SafeFileName, HostileTextsStayInsideTheFolder) {
    EXPECT_EQ(SafeFileName("../victim", ".RTF"), "_victim.RTF");
    EXPECT_EQ(SafeFileName("../../etc/passwd"), "_.._etc_passwd");
    EXPECT_EQ(SafeFileName(".."), "_");
    EXPECT_EQ(SafeFileName("."), "_");
    EXPECT_EQ(SafeFileName(""), "_");
    EXPECT_EQ(SafeFileName("   "), "_");
    EXPECT_EQ(SafeFileName("", ".TXT"), "_.TXT");
    EXPECT_EQ(SafeFileName(".hidden"), "hidden");
    EXPECT_EQ(SafeFileName("name. . "), "name");
    EXPECT_EQ(SafeFileName("a\\b:c*d?e\"f<g>h|i"), "a_b_c_d_e_f_g_h_i");
    EXPECT_EQ(SafeFileName("tab\there\nnew\x7f"), "tab_here_new_");
    EXPECT_EQ(SafeFileName(std::string("nul\0byte", 8)), "nul_byte");
    // Invalid UTF-8: a stray continuation byte, a cut sequence, an overlong "/".
    EXPECT_EQ(SafeFileName("a\x80z"), "a_z");
    EXPECT_EQ(SafeFileName("a\xE2\x82"), "a__");
    EXPECT_EQ(SafeFileName("\xC0\xAF"
                           "etc"),
              "__etc");
    // A direction override that would show "report.exe" as "report.RTF"-like text.
    EXPECT_EQ(SafeFileName("report\u202Eftr.exe"), "report_ftr.exe");
    // Ordinary titles and letters outside ASCII are kept as they are.
    EXPECT_EQ(SafeFileName("Office Building_Life-Cycle Cost Summary", ".RTF"),
              "Office Building_Life-Cycle Cost Summary.RTF");
    EXPECT_EQ(SafeFileName("Études ÄÖÜ 東京 €"), "Études ÄÖÜ 東京 €");

    for (const std::string text :
         {"../victim", "/", "//", "..\\..", " . ", "\x01\x02", "a/../../b", "\xff\xfe\xfd",
          "\xED\xA0\x80", "x\u2028y", ".../...", "\u202E..", "..\xe2"}) {
        expectSafe(SafeFileName(text), text);
        expectSafe(SafeFileName(text, ".RTF"), text);
    }
}

// Reproducer: a study titled with 300 characters made names longer than the
// file system allows, so every report failed.
TEST(SafeFileName, LongTextsAreCutOnACharacterAndKeepTheirExtensionAndADistinctHash) {
    const std::string base(300, 'T');
    const std::string a = SafeFileName(base + "A", ".RTF");
    const std::string b = SafeFileName(base + "B", ".RTF");
    expectSafe(a, "300 x T + A");
    EXPECT_EQ(a.size(), kMaxFileNameBytes);
    EXPECT_TRUE(a.ends_with(".RTF"));
    EXPECT_TRUE(a.starts_with(std::string(100, 'T')));
    EXPECT_NE(a, b) << "titles that differ only at their end must stay distinct";
    EXPECT_EQ(a, SafeFileName(base + "A", ".RTF")) << "the same text always gives the same name";
    // "~" and eight hex digits before the extension.
    const std::string tail = a.substr(a.size() - 4 - 9, 9);
    EXPECT_EQ(tail[0], '~');
    EXPECT_EQ(tail.find_first_not_of("0123456789abcdef", 1), std::string::npos) << tail;

    // Exactly at the limit nothing is cut; one byte more is.
    const std::string fits(kMaxFileNameBytes - 4, 'x');
    EXPECT_EQ(SafeFileName(fits, ".RTF"), fits + ".RTF");
    EXPECT_NE(SafeFileName(fits + "x", ".RTF"), fits + "x.RTF");
    EXPECT_EQ(SafeFileName(fits + "x", ".RTF").size(), kMaxFileNameBytes);

    // Three-byte characters are never split, whatever the cut position.
    for (const std::string lead : {"", "a", "ab"}) {
        std::string text = lead;
        for (int i = 0; i < 150; ++i)
            text += "東";
        expectSafe(SafeFileName(text), "lead + 150 x 東");
        expectSafe(SafeFileName(text, ".TXT"), "lead + 150 x 東 .TXT");
    }
    // A cut that ends on blanks or dots does not leave them before the hash.
    const std::string dotted = std::string(185, 'x') + std::string(100, '.') + "y";
    const std::string cut = SafeFileName(dotted);
    expectSafe(cut, "185 x, 100 dots, y");
    EXPECT_EQ(cut, std::string(185, 'x') + cut.substr(185)) << cut;
    EXPECT_EQ(cut[185], '~');

    // A lower limit for a part of a longer name.
    const std::string part = SafeFileName(base, "", 120);
    EXPECT_EQ(part.size(), 120u);
    EXPECT_EQ(part, std::string(111, 'T') + SafeFileName(base).substr(191));
    EXPECT_THROW(SafeFileName("name", "", 31), Error);
    EXPECT_THROW(SafeFileName("name", "", 201), Error);

    try {
        SafeFileName("name", std::string(17, 'x'));
        ADD_FAILURE() << "an overlong extension was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::kInvalidProcedureCall);
    }
}

}  // namespace
}  // namespace qvc::rt
