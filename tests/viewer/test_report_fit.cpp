// Every report of a seven-case, 40-year private study with income taxes and
// loans, laid out by the viewer: no figure and no word of any table cell is
// wider than its column at the renderer's font metrics, and every table that
// runs onto a further page starts that page with all its heading rows.

#include <gtest/gtest.h>

#include <QString>
#include <iostream>
#include <map>

#include "../reports/HospitalStudy.h"
#include "TextMeasurer.h"
#include "qvc/ui/HeadlessReportViewer.h"
#include "qvc/viewer/DocumentLayout.h"

namespace qvc::test {
namespace {

struct ReportPages {
    std::string name;
    size_t pages = 0;
    size_t continuedTables = 0;
};

// Text with a digit and no letter is a figure: it must fit whole.
bool isFigure(const QString& text) {
    bool digit = false;
    for (const QChar c : text) {
        if (c.isLetter())
            return false;
        digit = digit || c.isDigit();
    }
    return digit;
}

// The pieces of a cell that may not be broken: whole figure lines, otherwise words.
std::vector<std::pair<QString, doc::CharFormat>> unbreakable(const doc::TableCellModel& cell) {
    std::vector<std::pair<QString, doc::CharFormat>> pieces;
    for (const doc::Paragraph& p : cell.paragraphs) {
        std::vector<std::pair<QString, doc::CharFormat>> line;
        auto flush = [&] {
            QString all;
            for (const auto& [text, format] : line)
                all += text;
            if (isFigure(all)) {
                pieces.emplace_back(all.trimmed(), line.front().second);
                line.clear();
                return;
            }
            // Blanks at the start of the line go with its first word.
            QString lead;
            bool first = true;
            for (const auto& [text, format] : line) {
                for (const QString& word : text.split(u' ')) {
                    if (word.isEmpty()) {
                        lead += first ? QStringLiteral(" ") : QString();
                        continue;
                    }
                    pieces.emplace_back(first ? lead + word : word, format);
                    first = false;
                }
            }
            line.clear();
        };
        for (const doc::Run& r : p.runs) {
            if (r.kind == doc::Run::Kind::Text)
                line.emplace_back(QString::fromStdString(r.text), r.format);
            else if (r.kind == doc::Run::Kind::LineBreak)
                flush();
        }
        flush();
    }
    return pieces;
}

// Lays out every document it is shown and checks it; then saves them as the
// headless viewer does.
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

    std::vector<ReportPages> reports;
    std::vector<std::string> problems;

  private:
    void check(const doc::Document& document) {
        const std::string name = document.FileName();
        size_t tables = 0;
        for (const doc::Section& section : document.sections()) {
            for (const doc::Block& block : section.body) {
                const auto* table = std::get_if<doc::TableModel>(&block);
                if (!table)
                    continue;
                ++tables;
                checkWidths(name, *table);
            }
        }
        const viewer::LaidOutDocument laid = viewer::layoutDocument(document);
        ReportPages pages{name, laid.pages.size(), 0};
        checkHeadings(laid, pages);
        reports.push_back(pages);
        if (tables == 0)
            problems.push_back(name + ": no table");
    }

    void checkWidths(const std::string& name, const doc::TableModel& table) {
        for (const doc::TableRowModel& row : table.rows) {
            for (const doc::TableCellModel& cell : row.cells) {
                const double inner =
                    (cell.widthTwips - 2 * row.paddingLeftRightTwips) / double(doc::kTwipsPerPoint);
                for (const auto& [text, format] : unbreakable(cell)) {
                    const double width = measurer_.width(text, format);
                    if (width > inner + 0.01)
                        problems.push_back(name + ": \"" + text.toStdString() + "\" is " +
                                           std::to_string(width) + " pt in a cell of " +
                                           std::to_string(inner) + " pt");
                }
            }
        }
    }

    // Every table that spans pages starts each further page with all its
    // heading rows; every body row is drawn exactly once.
    void checkHeadings(const viewer::LaidOutDocument& laid, ReportPages& pages) {
        std::map<const doc::TableModel*, std::vector<const viewer::PageTableRows*>> parts;
        for (const viewer::LaidOutPage& page : laid.pages)
            for (const viewer::PageTableRows& shown : page.tables)
                parts[shown.table].push_back(&shown);
        for (const auto& [table, shown] : parts) {
            size_t headings = 0;
            while (headings < table->rows.size() && table->rows[headings].header)
                ++headings;
            std::vector<int> drawn(table->rows.size(), 0);
            for (size_t part = 0; part < shown.size(); ++part) {
                const std::vector<size_t>& rows = shown[part]->rows;
                for (size_t k = 0; k < rows.size(); ++k) {
                    const bool repeated = part > 0 && k < headings;
                    if (repeated && rows[k] != k)
                        problems.push_back(pages.name + ": a continued table lacks heading row " +
                                           std::to_string(k));
                    if (!repeated)
                        ++drawn[rows[k]];
                }
            }
            if (shown.size() > 1) {
                ++pages.continuedTables;
                if (headings == 0)
                    problems.push_back(pages.name + ": a table runs over " +
                                       std::to_string(shown.size()) +
                                       " pages without heading rows");
            }
            for (size_t r = 0; r < drawn.size(); ++r)
                if (drawn[r] != 1)
                    problems.push_back(pages.name + ": row " + std::to_string(r) + " drawn " +
                                       std::to_string(drawn[r]) + " times");
        }
    }

    doc::DocumentObject* docs_ = nullptr;
    viewer::TextMeasurer measurer_;
};

class ReportFit : public ReportTest {};

TEST_F(ReportFit, FortyYearStudyReportsKeepFiguresWholeAndRepeatHeadings) {
    const int16_t studyId = addStudy(hospitalStudy());
    for (cDesignCase& c : hospitalCases()) {
        c.AnalysisType = 0;
        c.Lifecycle = 40;
        addCase(studyId, c);
    }
    auto checking = std::make_shared<CheckingViewer>();
    ui::Services::setReportViewer(checking);

    cORVCalculator calc;
    calc.StudyID = studyId;
    calc.sReportTypes = "SI-DC-LS-AD-CF-TPW";
    ASSERT_TRUE(calc.PerformCalc()) << calc.getErrorMsg();
    ASSERT_TRUE(calc.BuildReports(0)) << calc.getErrorMsg();

    ASSERT_EQ(checking->reports.size(), 6u);
    size_t continued = 0;
    for (const ReportPages& r : checking->reports) {
        std::cout << "  " << r.name << ": " << r.pages << " pages\n";
        continued += r.continuedTables;
    }
    // The AD year tables (41 years, two heading rows) cannot stay on one
    // portrait page, so the heading check has tables to look at.
    EXPECT_GE(continued, 6u);
    for (const std::string& problem : checking->problems)
        ADD_FAILURE() << problem;
}

}  // namespace
}  // namespace qvc::test
