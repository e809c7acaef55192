// The text cash flow file of the calculated office HVAC example, read back
// line by line: the blocks in rank order, the headings character for
// character, every value parsed back by its column position against the
// engine's rounded value, the file name and folder rules, and the statuses
// when the file cannot be written.

#include <gmock/gmock.h>

#include <sstream>

#include "CashFlowStudyFixture.h"
#include "FakeEnv.h"
#include "qvc/runtime/ScopedEnv.h"
#include "reports/AsciiCashFlowLayout.h"
#include "reports/cRptASCIICashFlow.h"

namespace qvc::test {
namespace {

using A = tavlo::IAlternative;
using Getter = double (A::*)(int16_t) const;

// Text right-aligned in a field of `width` characters (ASCII texts only).
std::string field(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// A heading line from its pieces, each already as wide as its column.
std::string heading(const std::string& year, const std::string& date,
                    const std::vector<std::string>& pieces) {
    std::string line = "     " + year + " " + date;
    for (const std::string& p : pieces)
        line += " " + p;
    return line;
}

std::vector<std::string> repeat(const std::string& piece, int times) {
    return std::vector<std::string>(static_cast<size_t>(times), piece);
}

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

class AsciiCashFlowFileTest : public CashFlowStudyTest {
  protected:
    // Without an output folder the file goes to the project or work folder;
    // the tests that name one say so.
    void SetUp() override {
        CashFlowStudyTest::SetUp();
        ui::Services::setOutputFolder({});
    }

    // Reads the file; every line must end in CR LF.
    static std::vector<std::string> readLines(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        const std::string text = ss.str();
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = text.find("\r\n", start);
            EXPECT_NE(end, std::string::npos) << "last line without CR LF";
            if (end == std::string::npos)
                break;
            const std::string line = text.substr(start, end - start);
            EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line end";
            lines.push_back(line);
            start = end + 2;
        }
        return lines;
    }

    fs::path expectedPath(const fs::path& folder) const {
        return folder / ("CashFlow_" + std::string("Office Building Central Plant") + ".TXT");
    }

    struct Column {
        size_t start, width;
        std::vector<Getter> getters;  // two getters: the sum of both rounded values
    };

    // Checks the blocks of every case in rank order, parsing every value back
    // by its column position.
    void checkBlocks(const std::vector<std::string>& lines, size_t headingLines,
                     const std::vector<std::string>& expectedHeadings,
                     const std::vector<Column>& columns) {
        const std::vector<int16_t> order = positionsByRank();
        const size_t years = static_cast<size_t>(lifeCycle()) + 1;
        const size_t blockSize = 5 + headingLines + years + 1;
        ASSERT_EQ(lines.size(), order.size() * blockSize);
        for (size_t b = 0; b < order.size(); ++b) {
            const A& alt = alternatives().Item(order[b]);
            const size_t at = b * blockSize;
            EXPECT_EQ(lines[at], "");
            EXPECT_EQ(lines[at + 1], "");
            EXPECT_EQ(lines[at + 2], "     Component Cash Flows [" +
                                         threadState().colCases.Item(order[b]).Gen(1) + "]");
            EXPECT_EQ(lines[at + 3], "");
            EXPECT_EQ(lines[at + 4], "");
            for (size_t h = 0; h < headingLines; ++h) {
                const std::string& line = lines[at + 5 + h];
                EXPECT_EQ(line, expectedHeadings[h]) << "heading line " << h + 1;
                // Every heading piece stands over its column: it ends on the
                // column's last character, or the column is blank there.
                ASSERT_EQ(line.size(), columns.back().start + columns.back().width);
                for (size_t c = 0; c < columns.size(); ++c) {
                    const std::string piece = line.substr(columns[c].start, columns[c].width);
                    EXPECT_EQ(line[columns[c].start - 1], ' ');
                    EXPECT_TRUE(piece.back() != ' ' ||
                                piece.find_first_not_of(' ') == std::string::npos)
                        << "heading line " << h + 1 << " column " << c + 1 << " '" << piece << "'";
                }
            }
            for (size_t y = 0; y < years; ++y) {
                const std::string& line = lines[at + 5 + headingLines + y];
                const auto year = static_cast<int16_t>(y);
                EXPECT_EQ(line.substr(0, 5), "     ");
                EXPECT_EQ(line.substr(5, 4), field(std::to_string(y), 4));
                EXPECT_EQ(line.substr(9, 1), " ");
                EXPECT_EQ(line.substr(10, 4), y == 0 ? "Init" : std::to_string(2026 + y - 1));
                ASSERT_EQ(line.size(), columns.back().start + columns.back().width) << "year " << y;
                for (size_t c = 0; c < columns.size(); ++c) {
                    const Column& col = columns[c];
                    EXPECT_EQ(line[col.start - 1], ' ');
                    const std::string text = line.substr(col.start, col.width);
                    EXPECT_NE(text.back(), ' ');
                    double expected = 0;
                    for (Getter g : col.getters)
                        expected += whole((alt.*g)(year));
                    EXPECT_EQ(std::stod(text), expected)
                        << "year " << y << " column " << c + 1 << " '" << text << "'";
                    EXPECT_EQ(text.find_first_not_of(" -0123456789"), std::string::npos);
                }
            }
            EXPECT_EQ(lines[at + blockSize - 1], "");
        }
    }

    static std::vector<Column> otherColumns() {
        const std::vector<std::vector<Getter>> getters{{&A::CashInvestmentAt},
                                                       {&A::LoanPrincipalAt},
                                                       {&A::LoanInterestAt},
                                                       {&A::TotalInvestmentAt},
                                                       {&A::AnnualOpCostAt},
                                                       {&A::NonAnnualOpCostAt},
                                                       {&A::TotalOpCostAt},
                                                       {&A::BeforeTaxCashFlowAt},
                                                       {&A::PWInvestmentAt},
                                                       {&A::PWOpCostAt},
                                                       {&A::PWInvestmentAt, &A::PWOpCostAt}};
        std::vector<Column> columns;
        for (size_t k = 1; k <= getters.size(); ++k)
            columns.push_back({3 + 12 * k, 11, getters[k - 1]});
        return columns;
    }

    static std::vector<Column> taxColumns() {
        const std::vector<std::vector<Getter>> getters{{&A::CashInvestmentAt},
                                                       {&A::LoanPrincipalAt},
                                                       {&A::LoanInterestAt},
                                                       {&A::TotalInvestmentAt},
                                                       {&A::AnnualOpCostAt},
                                                       {&A::NonAnnualOpCostAt},
                                                       {&A::TotalOpCostAt},
                                                       {&A::BeforeTaxCashFlowAt},
                                                       {&A::NetIncomeAt},
                                                       {&A::DepreciationAt},
                                                       {&A::LoanInterestAt},
                                                       {&A::TaxableIncomeAt},
                                                       {&A::TaxAt},
                                                       {&A::AfterTaxCashFlowAt},
                                                       {&A::BookValueAt},
                                                       {&A::PWInvestmentAt},
                                                       {&A::PWOpCostAt},
                                                       {&A::PWInvestmentAt, &A::PWOpCostAt},
                                                       {&A::PWCashFlowAt}};
        std::vector<Column> columns;
        size_t start = 15;
        for (size_t k = 1; k <= getters.size(); ++k) {
            const size_t width = k == 10 ? 15 : 11;
            columns.push_back({start, width, getters[k - 1]});
            start += width + 1;
        }
        return columns;
    }
};

// The writer run on the inputs the builder would read from the thread's state.
TextFileOutcome writeOther() {
    const ReportInputs in = reports::readReportInputs();
    return cRptASCIICashFlow(in).BuildOtherASCIICashFlow();
}

TextFileOutcome writeWithTaxes() {
    const ReportInputs in = reports::readReportInputs();
    return cRptASCIICashFlow(in).BuildITPvtSectorCashFlow();
}

TEST_F(AsciiCashFlowFileTest, OtherStudiesElevenColumnsInRankOrder) {
    calculateExample(settings(0, 0, false));
    const TextFileOutcome outcome = writeOther();
    EXPECT_EQ(outcome.errorRecord, "");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(outcome.written);
    // The project folder, because one is set.
    EXPECT_EQ(outcome.path, expectedPath(dir).string());
    const std::vector<std::string> lines = readLines(expectedPath(dir));

    const std::string blank = field("", 11);
    const std::string cur = field("($)", 11);
    const std::vector<std::string> headings{
        "     Year Date        Cash     On Loan     On Loan       Total      Annual  Non-Annual"
        "       Total       Total  P.W. Total  P.W. Total       Total",
        "                Investment   Principal    Interest  Investment   Operating   Operating"
        "   Operating   Cash Flow  Investment   Operating     Present",
        "                       ($)         ($)         ($)        Cost        Cost        Cost"
        "        Cost         ($)        Cost        Cost       Worth",
        heading("    ", "    ", join({repeat(blank, 3), repeat(cur, 4), {blank}, repeat(cur, 3)})),
        "     ---- ----" + [] {
            std::string s;
            for (int i = 0; i < 11; ++i)
                s += " -----------";
            return s;
        }()};
    checkBlocks(lines, 5, headings, otherColumns());
    // The example's third case gets a federal credit in year 1, so a negative
    // cash investment was among the values parsed back with their sign.
    EXPECT_LT(alternatives().Item(3).CashInvestmentAt(1), 0);
}

TEST_F(AsciiCashFlowFileTest, PrivateSectorWithTaxesNineteenColumnsAndTheWideDepreciation) {
    calculateExample(settings(0, 0, true));
    const TextFileOutcome outcome = writeWithTaxes();
    EXPECT_EQ(outcome.errorRecord, "");
    EXPECT_TRUE(outcome.written);
    const std::vector<std::string> lines = readLines(expectedPath(dir));

    const std::string b = field("", 11);
    const std::string w = field("", 15);
    const std::string c = field("($)", 11);
    auto f = [](const std::string& t) { return field(t, 11); };
    const std::vector<std::string> headings{
        // The depreciation column is 15 characters wide on every line.
        "     Year Date        Cash     On Loan     On Loan       Total      Annual  Non-Annual"
        "       Total      Before         Net         Deprec.    Interest     Taxable  Income Tax"
        "       After    Year-End P.W. Before P.W. Before  Before Tax   After Tax",
        heading("    ", "    ",
                {f("Investment"), f("Principal"), f("Interest"), f("Investment"), f("Operating"),
                 f("Operating"), f("Operating"), f("Tax"), f("Income"), field("($)", 15), c,
                 f("Income"), c, f("Tax"), f("Book Value"), f("Total"), f("Total"), f("Total"),
                 f("Total")}),
        heading("    ", "    ",
                {c, c, c, f("Cost"), f("Cost"), f("Cost"), f("Cost"), f("Cash Flow"), c, w, b, c, b,
                 f("Cash Flow"), c, f("Investment"), f("Operating"), f("Present"), f("Present")}),
        heading("    ", "    ",
                {b, b, b, c, c, c, c, c, b, w, b, b, b, c, b, f("Cost"), f("Cost"), f("Worth"),
                 f("Worth")}),
        heading("    ", "    ", join({repeat(b, 9), {w}, repeat(b, 5), repeat(c, 4)})),
        heading("----", "----",
                join({repeat(std::string(11, '-'), 9),
                      {std::string(15, '-')},
                      repeat(std::string(11, '-'), 9)}))};
    checkBlocks(lines, 6, headings, taxColumns());
}

TEST_F(AsciiCashFlowFileTest, PublicSectorAndSimpleCashFlowUseTheOtherLayout) {
    for (int16_t analysis : {1, 3}) {
        SCOPED_TRACE(analysis);
        calculateExample(settings(analysis, 0, false));
        ASSERT_TRUE(writeOther().written);
        const std::vector<std::string> lines = readLines(expectedPath(dir));
        const size_t block = 5 + 5 + static_cast<size_t>(lifeCycle()) + 1 + 1;
        ASSERT_EQ(lines.size(), 3 * block);
        const std::vector<Column> columns = otherColumns();
        for (size_t b = 0; b < 3; ++b) {
            const A& alt = alternatives().Item(positionsByRank()[b]);
            const std::string& last = lines[b * block + block - 2];  // year L
            const Column& total = columns.back();
            EXPECT_EQ(std::stod(last.substr(total.start, total.width)),
                      whole(alt.PWInvestmentAt(lifeCycle())) + whole(alt.PWOpCostAt(lifeCycle())));
        }
    }
}

TEST_F(AsciiCashFlowFileTest, FileNameKeepsLettersDigitsAndBlanksAndFallsBackToTheWorkFolder) {
    StudySettings named = settings(0, 0, false);
    named.title = "Plant A/B (2026)";
    calculateExample(named);
    threadState().strProjectPath.clear();
    TextFileOutcome outcome = writeOther();
    const fs::path expected = work / "CashFlow_Plant A_B _2026_.TXT";
    EXPECT_EQ(outcome.path, expected.string());
    EXPECT_TRUE(outcome.written);
    EXPECT_TRUE(fs::exists(expected));

    // An existing file is replaced, not appended to.
    const auto size = fs::file_size(expected);
    EXPECT_TRUE(writeOther().written);
    EXPECT_EQ(fs::file_size(expected), size);

    // Reproducer: the file name starts with a resource text; "../" in it wrote
    // the file beside the work folder. A 300-character title made a name too
    // long to create. Both now give a file inside the folder.
    named.title = std::string(300, 'P');
    calculateExample(named);
    threadState().res.gXstrADMainColCashFlow = "../victim";
    threadState().strProjectPath.clear();
    outcome = writeOther();
    EXPECT_TRUE(outcome.written);
    const fs::path written = outcome.path;
    EXPECT_EQ(written.parent_path(), work);
    EXPECT_TRUE(written.filename().string().starts_with("_victim_PPP"));
    EXPECT_LE(written.filename().string().size(), 200u);
    EXPECT_TRUE(fs::is_regular_file(written));
    EXPECT_FALSE(fs::exists(work.parent_path() / "victim_PPP"));

    // With an output folder named by the host, the file goes there, beside
    // the reports, and nothing is written to the project folder.
    threadState().strProjectPath = dir.string();
    ui::Services::setOutputFolder(out);
    fs::create_directories(out);
    outcome = writeOther();
    EXPECT_EQ(fs::path(outcome.path).parent_path(), out);
    EXPECT_TRUE(fs::is_regular_file(outcome.path));
}

TEST_F(AsciiCashFlowFileTest, MissingFolderGives301AndAFileThatCannotBeCreated333) {
    calculateExample(settings(0, 0, true));
    ThreadState& st = threadState();
    st.strProjectPath = (dir / "no such folder").string();
    TextFileOutcome outcome = writeWithTaxes();
    EXPECT_EQ(outcome.status, 301);
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.errorRecord,
              "76#Path not found#BuildITPvtSectorCashFlow # cRptASCIICashFlow #");
    EXPECT_FALSE(fs::exists(dir / "no such folder"));

    // A folder in the way of the file: it cannot be created.
    st.strProjectPath = dir.string();
    fs::create_directories(expectedPath(dir));
    outcome = writeOther();
    EXPECT_EQ(outcome.status, 333);
    EXPECT_FALSE(outcome.written);
    EXPECT_THAT(outcome.errorRecord,
                ::testing::EndsWith("#BuildOtherASCIICashFlow # cRptASCIICashFlow #"));
    // The writer leaves the thread's status to the builder.
    EXPECT_EQ(st.gErrCode, 0);
    EXPECT_EQ(st.gErrMsg, "");

    // The disk fills up half-way through the file: the user's earlier file
    // stays whole, no partial or temporary file is left, and the error record
    // names the file. A folder where no file may be created gives 333 too.
    const fs::path file = expectedPath(dir);
    FakeEnv env;
    env.addFile(file, "an earlier cash flow file");
    env.setCapacity(4096);
    rt::ScopedEnv scope(env);
    outcome = writeOther();
    EXPECT_EQ(outcome.status, 333);
    EXPECT_FALSE(outcome.written);
    EXPECT_THAT(outcome.errorRecord,
                ::testing::StartsWith("61#Cannot write \"" + file.filename().string() +
                                      "\" into the folder \"" + dir.string() + "\""));
    EXPECT_EQ(env.contents(file), "an earlier cash flow file");
    EXPECT_EQ(env.listFolder(dir), std::vector<std::string>{file.filename().string()});

    env.clearFailures();
    env.failCreatingIn(dir);
    outcome = writeOther();
    EXPECT_EQ(outcome.status, 333);
    EXPECT_THAT(outcome.errorRecord, ::testing::StartsWith("70#"));
    EXPECT_THAT(outcome.errorRecord, ::testing::HasSubstr("Permission denied"));
    EXPECT_EQ(env.contents(file), "an earlier cash flow file");
}

TEST_F(AsciiCashFlowFileTest, BuilderReportsTheWrittenFileOrTheStatusMessage) {
    calculateExample(settings(0, 0, false));
    EXPECT_TRUE(build("ACF"));
    ASSERT_FALSE(messages->records().empty());
    EXPECT_EQ(messages->records().back().text,
              res().gXstrASCIIFile + " " + expectedPath(dir).string());
    EXPECT_TRUE(fs::exists(expectedPath(dir)));

    threadState().strProjectPath = (dir / "gone").string();
    EXPECT_FALSE(build("ACF"));
    EXPECT_EQ(messages->records().back().text, res().gStrASCIIDirEXE);
    EXPECT_EQ(threadState().gErrCode, 301);

    threadState().strProjectPath = dir.string();
    fs::remove(expectedPath(dir));
    fs::create_directories(expectedPath(dir));
    EXPECT_FALSE(build("ACF"));
    EXPECT_EQ(messages->records().back().text, res().gStrASCIIFilePathEXE);
}

TEST_F(AsciiCashFlowFileTest, FieldsOfTheFile) {
    namespace ascii = reports::ascii;
    EXPECT_EQ(ascii::ValueField(-1234.5, 11), "      -1234");  // half to even
    EXPECT_EQ(ascii::ValueField(2.5, 11), "          2");
    EXPECT_EQ(ascii::ValueField(-0.4, 11), "          0");
    // A value wider than its field is kept whole.
    EXPECT_EQ(ascii::ValueField(-123456789012.0, 11), "-123456789012");
    EXPECT_EQ(ascii::ValueField(1.0, 15), std::string(14, ' ') + "1");
    EXPECT_EQ(ascii::YearField(7), "   7");
    EXPECT_EQ(ascii::YearField(12345), "    ");
    EXPECT_EQ(ascii::DateField(res().gXstrInitial, 2026, 1), "2026");
    EXPECT_EQ(ascii::DateField(res().gXstrInitial, 2026, 0), "Init");

    // A wide value shifts the rest of its line.
    auto eng = tavlo::createEngine();
    eng->setAnalysisPeriod(1);
    eng->Alternatives().Initialize(1);
    A& alt = eng->Alternatives().Item(1);
    alt.setNumber(1);
    alt.setInvestmentCost(1, 250000000000.0);
    alt.setDepreciationMethod(1, 5);
    ASSERT_TRUE(eng->Calculate());
    const std::string line = ascii::dataLine(ascii::otherLayout(res(), "$"), alt, 2026, 0);
    EXPECT_EQ(line.substr(14, 13), " 250000000000");
    // Five columns hold the 12-digit amount in year 0 (cash and total
    // investment, cash flow, its present worth and the total present worth).
    EXPECT_EQ(line.size(), 14 + 11 * 12 + 5);
}

}  // namespace
}  // namespace qvc::test
