// Every report of a 40-year study, laid out by the viewer, obeys the rules of LayoutChecks.h,
// and no figure in a table cell is wider than its column at the viewer's font metrics.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <set>

#include "ExampleStudy.h"
#include "LayoutChecks.h"
#include "TestSupport.h"
#include "common/ThreadState.h"
#include "qvc/ui/HeadlessMessageBox.h"
#include "qvc/ui/HeadlessProgressWindow.h"
#include "qvc/ui/HeadlessReportViewer.h"
#include "qvc/ui/Services.h"
#include "qvc/viewer/DocumentLayout.h"
#include "reports/ReportState.h"

namespace qvc::test {
namespace {

class CheckingViewer : public ui::HeadlessReportViewer {
  public:
    void setDocument(doc::DocumentObject& docs) override {
        docs_ = &docs;
        HeadlessReportViewer::setDocument(docs);
    }
    void showModal() override {
        for (int32_t i = 1; docs_ && i <= docs_->DocumentCount(); ++i)
            check(docs_->document(i));
        HeadlessReportViewer::showModal();
    }
    std::vector<std::string> problems;
    size_t continuedTables = 0;

  private:
    void check(const doc::Document& document) {
        const std::string name = document.FileName() + ": ";
        for (const doc::Section& section : document.sections())
            for (const doc::Block& block : section.body)
                if (const auto* table = std::get_if<doc::TableModel>(&block))
                    checkFigureWidths(name, *table);
        const viewer::LaidOutDocument laid = viewer::layoutDocument(document);
        const doc::PageSetup& setup = document.sections().front().page;
        for (const std::string& problem :
             layoutProblems(laid, setup.marginLeft / 20.0,
                            std::min(setup.headerDistance, setup.footerDistance) / 20.0))
            problems.push_back(name + problem);
        std::set<const doc::TableModel*> seen;
        for (const viewer::LaidOutPage& page : laid.pages)
            for (const viewer::PageTableRows& shown : page.tables)
                continuedTables += seen.insert(shown.table).second ? 0 : 1;
    }

    // A figure (a text run with a digit and no letter) that does not fit would be broken.
    void checkFigureWidths(const std::string& name, const doc::TableModel& table) {
        static const QRegularExpression digit("[0-9]"), letter("\\p{L}");
        for (const doc::TableRowModel& row : table.rows)
            for (const doc::TableCellModel& cell : row.cells) {
                const double inner =
                    (cell.widthTwips - 2 * row.paddingLeftRightTwips) / double(doc::kTwipsPerPoint);
                for (const doc::Paragraph& p : cell.paragraphs)
                    for (const doc::Run& r : p.runs) {
                        const QString text = QString::fromStdString(r.text).trimmed();
                        if (r.kind == doc::Run::Kind::Text && text.contains(digit) &&
                            !text.contains(letter) &&
                            measurer_.width(text, r.format) > inner + 0.01)
                            problems.push_back(name + "\"" + r.text + "\" is too wide");
                    }
            }
    }

    doc::DocumentObject* docs_ = nullptr;
    viewer::TextMeasurer measurer_;
};

void resetState() {
    resetThreadState();
    resetReportState();
    ui::Services::reset();
}

TEST(ReportFit, FortyYearStudyReportsStayInsideTheMarginsAndRepeatHeadings) {
    resetState();
    ui::Services::setMessageBox(std::make_shared<ui::HeadlessMessageBox>());
    ui::Services::setProgressWindow(std::make_shared<ui::HeadlessProgressWindow>(0));
    auto checking = std::make_shared<CheckingViewer>();
    ui::Services::setReportViewer(checking);
    const std::filesystem::path dir = freshDir("viewer", "report-fit");
    ui::Services::setOutputFolder(dir);
    {
        ExampleProject example(dir);
        example.project().setProjectPath(dir.string(), "Riverside Campus", "QVComponents",
                                         "Acme Engineering", "17.0", dir.string());
        ExampleVariant forty;
        forty.lifecycle = 40;
        ASSERT_TRUE(example.calculate(forty, {}, "SI-DC-LS-AD-CF-TPW"))
            << example.calculator().getErrorMsg();
        ASSERT_TRUE(example.calculator().BuildReports(0)) << example.calculator().getErrorMsg();
    }
    resetState();

    EXPECT_EQ(checking->savedFiles().size(), 6u);
    EXPECT_GE(checking->continuedTables, 2u);  // so the heading rules have tables to look at
    for (const std::string& problem : checking->problems)
        ADD_FAILURE() << problem;
}

}  // namespace
}  // namespace qvc::test
