#include <fstream>
#include <sstream>

#include "FakeEnv.h"
#include "ReportTest.h"
#include "qvc/runtime/ScopedEnv.h"
#include "reports/cRptASCIICashFlow.h"

namespace qvc::test {
namespace {

using A = tavlo::IAlternative;
using Getter = double (A::*)(int16_t) const;

// The lines of a file; `crlf`: every line must end in CR LF.
std::vector<std::string> readLines(const fs::path& file, bool crlf) {
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (crlf) {
            EXPECT_TRUE(line.ends_with("\r")) << "line " << lines.size() + 1 << " without CR LF";
            line = line.substr(0, line.size() - (line.ends_with("\r") ? 1 : 0));
        }
        lines.push_back(line);
    }
    return lines;
}

TextFileOutcome writeOther() {
    return OnInputs<cRptASCIICashFlow>().report.BuildOtherASCIICashFlow();
}
TextFileOutcome writeWithTaxes() {
    return OnInputs<cRptASCIICashFlow>().report.BuildITPvtSectorCashFlow();
}

class TextFileTest : public ReportTest {
  protected:
    void SetUp() override {  // without an output folder the file goes to the project folder
        ReportTest::SetUp();
        ui::Services::setOutputFolder({});
    }
    fs::path exampleFile() const { return dir / "CashFlow_Office Building Central Plant.TXT"; }
    // Per case in rank order a line per year of the engine's rounded values, under its dashes.
    void checkAgainstEngine(const std::vector<std::string>& lines,
                            const std::vector<Getter>& columns) {
        size_t at = 0;
        for (int16_t position : byRank()) {
            const A& alt = alts().Item(position);
            while (at < lines.size() && !contains(lines[at], "Component Cash Flows"))
                ++at;
            ASSERT_LT(at, lines.size());
            EXPECT_EQ(lines[at], "     Component Cash Flows [" + caseTitle(position) + "]");
            while (at < lines.size() && !lines[at].starts_with("     ----"))
                ++at;
            ASSERT_LT(at + 1 + static_cast<size_t>(lifeCycle()), lines.size());
            std::vector<size_t> ends;  // one past the last dash of each group
            for (size_t c = 1; c < lines[at].size(); ++c)
                if (lines[at][c - 1] == '-' && lines[at][c] != '-')
                    ends.push_back(c);
            ends.push_back(lines[at].size());
            ASSERT_EQ(ends.size(), columns.size() + 2);
            for (int16_t y = 0; y <= lifeCycle(); ++y) {
                const std::string& line = lines[++at];
                std::stringstream tokens(line);
                std::string year, date;
                tokens >> year >> date;
                EXPECT_EQ(year, std::to_string(y));
                EXPECT_EQ(date, y == 0 ? "Init" : std::to_string(2025 + y));
                size_t from = line.find(date) + date.size();
                for (size_t c = 0; c < columns.size(); ++c) {
                    const double expected = columns[c] ? std::nearbyint((alt.*columns[c])(y))
                                                       : std::nearbyint(alt.PWInvestmentAt(y)) +
                                                             std::nearbyint(alt.PWOpCostAt(y));
                    std::string figure;
                    tokens >> figure;
                    const size_t end = line.find(figure, from) + figure.size();
                    EXPECT_EQ(std::stod(figure), expected) << "year " << y << " column " << c + 1;
                    EXPECT_EQ(end, ends[c + 2]) << "year " << y << " column " << c + 1;
                    from = end;
                }
            }
        }
    }
};

// The columns of each layout; nullptr: the sum of both present worths.
const std::vector<Getter> kCash{
    &A::CashInvestmentAt, &A::LoanPrincipalAt,   &A::LoanInterestAt, &A::TotalInvestmentAt,
    &A::AnnualOpCostAt,   &A::NonAnnualOpCostAt, &A::TotalOpCostAt,  &A::BeforeTaxCashFlowAt};
const std::vector<Getter> kTaxes{&A::NetIncomeAt,     &A::DepreciationAt, &A::LoanInterestAt,
                                 &A::TaxableIncomeAt, &A::TaxAt,          &A::AfterTaxCashFlowAt,
                                 &A::BookValueAt};
const std::vector<Getter> kPresentWorths{&A::PWInvestmentAt, &A::PWOpCostAt, nullptr};

std::vector<Getter> columnsOf(std::vector<std::vector<Getter>> parts) {
    std::vector<Getter> out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

TEST_F(TextFileTest, TheExamplesFileIsTheReviewedOne) {
    calculate();
    const TextFileOutcome outcome = writeWithTaxes();
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.path, exampleFile().string());
    const std::vector<std::string> lines = readLines(exampleFile(), true);
    const std::vector<std::string> reviewed = readLines(
        fs::path(QVC_SOURCE_DIR) / "tests" / "data" / "reports" / "office-hvac-cash-flows.txt",
        false);
    ASSERT_EQ(lines.size(), reviewed.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], reviewed[i]) << "line " << i + 1;
    checkAgainstEngine(lines, columnsOf({kCash, kTaxes, kPresentWorths, {&A::PWCashFlowAt}}));
}

TEST_F(TextFileTest, EveryOtherStudyWritesElevenColumnsFromTheEngine) {
    for (const ExampleVariant& v :
         {variantOf(0, 0, false), variantOf(1, 0, false), variantOf(3, 0, false)}) {
        SCOPED_TRACE(v.analysis);
        calculate(v);
        ASSERT_TRUE(writeOther().written);
        const std::vector<std::string> lines = readLines(exampleFile(), true);
        // Per case: blank lines, the title, headings, 26 years and a blank line.
        EXPECT_EQ(lines.size(), 3u * (5 + 5 + 26 + 1));
        checkAgainstEngine(lines, columnsOf({kCash, kPresentWorths}));
    }
}

TEST_F(TextFileTest, FileNameKeepsLettersDigitsAndBlanksAndStaysInItsFolder) {
    // A resource text "../victim" and a 300-character title still give a file in the folder.
    ExampleVariant named = variantOf(0, 0, false);
    named.title = std::string(300, 'P');
    calculate(named);
    threadState().res.gXstrADMainColCashFlow = "../victim";
    threadState().strProjectPath.clear();
    const fs::path written = writeOther().path;
    EXPECT_EQ(written.parent_path(), work);
    EXPECT_TRUE(fs::is_regular_file(written));
    EXPECT_TRUE(written.filename().string().starts_with("_victim_PPP"));
    EXPECT_LE(written.filename().string().size(), 200u);
    // With an output folder named by the host, the file goes there.
    ui::Services::setOutputFolder(out);
    EXPECT_EQ(fs::path(writeOther().path).parent_path(), out);
}

TEST_F(TextFileTest, MissingFolderGives301AndAFileThatCannotBeWritten333) {
    calculate();
    ThreadState& st = threadState();
    st.strProjectPath = (dir / "no such folder").string();
    TextFileOutcome outcome = writeWithTaxes();
    EXPECT_EQ(outcome.status, 301);
    EXPECT_TRUE(outcome.errorRecord.starts_with("76#")) << outcome.errorRecord;
    EXPECT_FALSE(fs::exists(dir / "no such folder"));
    // A folder in the way of the file.
    st.strProjectPath = dir.string();
    fs::create_directories(exampleFile());
    EXPECT_EQ(writeOther().status, 333);
    EXPECT_EQ(st.gErrCode, 0);  // the writer leaves the thread's status to the builder
    // The disk fills up half-way: the user's earlier file stays whole, no partial file is left.
    FakeEnv env;
    env.addFile(exampleFile(), "an earlier cash flow file");
    env.setCapacity(4096);
    rt::ScopedEnv scope(env);
    outcome = writeOther();
    EXPECT_EQ(outcome.status, 333);
    EXPECT_TRUE(outcome.errorRecord.starts_with("61#Cannot write \"" +
                                                exampleFile().filename().string() +
                                                "\" into the folder \"" + dir.string() + "\""))
        << outcome.errorRecord;
    EXPECT_EQ(env.contents(exampleFile()), "an earlier cash flow file");
    EXPECT_EQ(env.listFolder(dir), std::vector<std::string>{exampleFile().filename().string()});
}

}  // namespace
}  // namespace qvc::test
