#include "AnswerTable.h"

#include <fmt/format.h>

#include <algorithm>
#include <string>

#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/NumberFormat.h"
#include "tavlo/IAlternative.h"
#include "tavlo/IAlternatives.h"
#include "tavlo/IComparison.h"
#include "tavlo/IComparisons.h"

namespace qvc::cli {

namespace {

// Pads a title to `width` characters (not bytes, and not fmt's display width, in
// which an East Asian character counts two): the widths are character counts.
std::string padRight(const std::string& s, size_t width) {
    const size_t length = rt::Len(s);
    return length >= width ? s : s + std::string(width - length, ' ');
}

const CalculatedCase* caseNumbered(const std::vector<CalculatedCase>& cases, int number) {
    for (const CalculatedCase& c : cases)
        if (c.number == number)
            return &c;
    return nullptr;
}

std::string titleOf(const std::vector<CalculatedCase>& cases, int number) {
    const CalculatedCase* c = caseNumbered(cases, number);
    return c != nullptr ? c->title : fmt::format("case number {}", number);
}

struct Row {
    std::string rank, id, title, worth, note;
};

}  // namespace

void printAnswer(std::ostream& out, int studyId, const cStudy& study,
                 const tavlo::ILifeCycleEngine& engine, const std::vector<CalculatedCase>& cases) {
    const tavlo::IAlternatives& alternatives = engine.Alternatives();
    const tavlo::IComparisons& comparisons = engine.Comparisons();
    const bool independent = engine.AlternativeType() == 1;

    std::vector<const tavlo::IAlternative*> ranked;
    for (int16_t i = 1; i <= alternatives.Count(); ++i)
        ranked.push_back(&alternatives.Item(i));
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto* a, const auto* b) { return a->Rank() < b->Rank(); });

    // Mutually exclusive: the last comparison's winner (the only case when there
    // is no comparison). Independent: every challenger that wins against 1.
    int preferred = ranked.empty() ? 0 : ranked.front()->Number();
    if (!independent && comparisons.Count() > 0)
        preferred = comparisons.Item(comparisons.Count()).Winner();
    std::vector<int> beating;
    if (independent)
        for (int16_t k = 1; k <= comparisons.Count(); ++k) {
            const tavlo::IComparison& c = comparisons.Item(k);
            if (c.Winner() == c.Challenger())
                beating.push_back(c.Challenger());
        }

    std::vector<Row> rows{
        {"Rank", "Case", "Design case", "Total present worth (" + study.CurSymbol + ")", ""}};
    for (const tavlo::IAlternative* a : ranked) {
        const CalculatedCase* c = caseNumbered(cases, a->Number());
        std::string note;
        if (!independent && a->Number() == preferred)
            note = "preferred";
        else if (independent && a->Number() == 1)
            note = "base case";
        else if (std::find(beating.begin(), beating.end(), a->Number()) != beating.end())
            note = "beats the base case";
        rows.push_back(
            {fmt::format("{}", a->Rank()), c != nullptr ? fmt::format("{}", c->caseId) : "",
             c != nullptr ? c->title : "", rt::FormatNumber(a->TotalPresentWorth(), 0), note});
    }
    size_t widths[4] = {0, 0, 0, 0};
    for (const Row& r : rows) {
        widths[0] = std::max(widths[0], rt::Len(r.rank));
        widths[1] = std::max(widths[1], rt::Len(r.id));
        widths[2] = std::max(widths[2], rt::Len(r.title));
        widths[3] = std::max(widths[3], rt::Len(r.worth));
    }

    out << "Answer for study " << studyId << ", " << study.StudyTitle << " ("
        << (independent ? "independent" : "mutually exclusive") << " design cases)\n";
    for (const Row& r : rows) {
        // Rank, ID and worth are ASCII, so fmt's widths are character counts.
        std::string line = fmt::format("  {:>{}}  {:>{}}  {}  {:>{}}", r.rank, widths[0], r.id,
                                       widths[1], padRight(r.title, widths[2]), r.worth, widths[3]);
        if (!r.note.empty())
            line += "  " + r.note;
        out << rt::RTrim(line) << "\n";
    }
    if (!independent) {
        out << "Preferred: " << titleOf(cases, preferred) << "\n";
    } else if (beating.empty()) {
        out << "No design case beats the base case, " << titleOf(cases, 1) << ".\n";
    } else {
        out << "Beat the base case (" << titleOf(cases, 1) << "):";
        for (size_t k = 0; k < beating.size(); ++k)
            out << (k == 0 ? " " : "; ") << titleOf(cases, beating[k]);
        out << "\n";
    }
}

}  // namespace qvc::cli
