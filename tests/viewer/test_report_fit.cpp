// Every report of the example over 40 years, laid out by the viewer: no figure or word of a table
// cell is wider than its column at the viewer's font metrics, and the LayoutChecks.h rules hold.

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

// The pieces of a cell that may not be broken: a line with a digit and no letter (a figure) whole,
// otherwise each word, the first with the line's leading blanks.
std::vector<std::pair<QString, doc::CharFormat>> unbreakable(const doc::TableCellModel& cell) {
    std::vector<std::pair<QString, doc::CharFormat>> pieces;
    QString line;
    doc::CharFormat format;
    const auto flush = [&] {
        const bool figure = line.contains(QRegularExpression("[0-9]")) &&
                            !line.contains(QRegularExpression("\\p{L}"));
        const qsizetype lead = line.size() - QString(line).remove(QRegularExpression("^ +")).size();
        const QStringList words = line.mid(lead).split(u' ', Qt::SkipEmptyParts);
        for (qsizetype k = 0; !figure && k < words.size(); ++k)
            pieces.emplace_back(k == 0 ? line.left(lead) + words[k] : words[k], format);
        if (figure)
            pieces.emplace_back(line.trimmed(), format);
        line.clear();
    };
    for (const doc::Paragraph& p : cell.paragraphs) {
        for (const doc::Run& r : p.runs) {
            if (r.kind == doc::Run::Kind::LineBreak)
                flush();
            if (r.kind == doc::Run::Kind::Text && line.isEmpty())
                format = r.format;
            if (r.kind == doc::Run::Kind::Text)
                line += QString::fromStdString(r.text);
        }
        flush();
    }
    return pieces;
}

// Checks every document it is shown, then saves them as the batch viewer does.
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
                    checkWidths(name, *table);
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

    void checkWidths(const std::string& name, const doc::TableModel& table) {
        for (const doc::TableRowModel& row : table.rows) {
            for (const doc::TableCellModel& cell : row.cells) {
                const double inner =
                    (cell.widthTwips - 2 * row.paddingLeftRightTwips) / double(doc::kTwipsPerPoint);
                for (const auto& [text, format] : unbreakable(cell))
                    if (measurer_.width(text, format) > inner + 0.01)
                        problems.push_back(name + "\"" + text.toStdString() + "\" is too wide");
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

TEST(ReportFit, FortyYearStudyReportsKeepFiguresWholeAndRepeatHeadings) {
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
