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

// The engine's answer: the preferred case of mutually exclusive cases (the
// last comparison's winner, or the only case when there is no comparison),
// or the challengers that win against case 1 when the cases are independent.
struct Verdict {
    bool independent = false;
    int preferred = 0;
    std::vector<int> beating;
};

std::vector<const tavlo::IAlternative*> rankedAlternatives(const tavlo::IAlternatives& all) {
    std::vector<const tavlo::IAlternative*> ranked;
    for (int16_t i = 1; i <= all.Count(); ++i)
        ranked.push_back(&all.Item(i));
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto* a, const auto* b) { return a->Rank() < b->Rank(); });
    return ranked;
}

Verdict verdictOf(const tavlo::ILifeCycleEngine& engine,
                  const std::vector<const tavlo::IAlternative*>& ranked) {
    const tavlo::IComparisons& comparisons = engine.Comparisons();
    Verdict v;
    v.independent = engine.AlternativeType() == 1;
    v.preferred = ranked.empty() ? 0 : ranked.front()->Number();
    if (!v.independent && comparisons.Count() > 0)
        v.preferred = comparisons.Item(comparisons.Count()).Winner();
    if (v.independent)
        for (int16_t k = 1; k <= comparisons.Count(); ++k) {
            const tavlo::IComparison& c = comparisons.Item(k);
            if (c.Winner() == c.Challenger())
                v.beating.push_back(c.Challenger());
        }
    return v;
}

std::string noteFor(const Verdict& v, int number) {
    if (!v.independent && number == v.preferred)
        return "preferred";
    if (v.independent && number == 1)
        return "base case";
    if (std::find(v.beating.begin(), v.beating.end(), number) != v.beating.end())
        return "beats the base case";
    return "";
}

std::vector<Row> answerRows(const cStudy& study,
                            const std::vector<const tavlo::IAlternative*>& ranked,
                            const std::vector<CalculatedCase>& cases, const Verdict& v) {
    std::vector<Row> rows{
        {"Rank", "Case", "Design case", "Total present worth (" + study.CurSymbol + ")", ""}};
    for (const tavlo::IAlternative* a : ranked) {
        const CalculatedCase* c = caseNumbered(cases, a->Number());
        rows.push_back({fmt::format("{}", a->Rank()),
                        c != nullptr ? fmt::format("{}", c->caseId) : "",
                        c != nullptr ? c->title : "", rt::FormatNumber(a->TotalPresentWorth(), 0),
                        noteFor(v, a->Number())});
    }
    return rows;
}

void printRows(std::ostream& out, const std::vector<Row>& rows) {
    size_t widths[4] = {0, 0, 0, 0};
    for (const Row& r : rows) {
        widths[0] = std::max(widths[0], rt::Len(r.rank));
        widths[1] = std::max(widths[1], rt::Len(r.id));
        widths[2] = std::max(widths[2], rt::Len(r.title));
        widths[3] = std::max(widths[3], rt::Len(r.worth));
    }
    for (const Row& r : rows) {
        // Rank, ID and worth are ASCII, so fmt's widths are character counts.
        std::string line = fmt::format("  {:>{}}  {:>{}}  {}  {:>{}}", r.rank, widths[0], r.id,
                                       widths[1], padRight(r.title, widths[2]), r.worth, widths[3]);
        if (!r.note.empty())
            line += "  " + r.note;
        out << rt::RTrim(line) << "\n";
    }
}

void printVerdict(std::ostream& out, const Verdict& v, const std::vector<CalculatedCase>& cases) {
    if (!v.independent) {
        out << "Preferred: " << titleOf(cases, v.preferred) << "\n";
    } else if (v.beating.empty()) {
        out << "No design case beats the base case, " << titleOf(cases, 1) << ".\n";
    } else {
        out << "Beat the base case (" << titleOf(cases, 1) << "):";
        for (size_t k = 0; k < v.beating.size(); ++k)
            out << (k == 0 ? " " : "; ") << titleOf(cases, v.beating[k]);
        out << "\n";
    }
}

}  // namespace

void printAnswer(std::ostream& out, int studyId, const cStudy& study,
                 const tavlo::ILifeCycleEngine& engine, const std::vector<CalculatedCase>& cases) {
    const std::vector<const tavlo::IAlternative*> ranked =
        rankedAlternatives(engine.Alternatives());
    const Verdict verdict = verdictOf(engine, ranked);
    out << "Answer for study " << studyId << ", " << study.StudyTitle << " ("
        << (verdict.independent ? "independent" : "mutually exclusive") << " design cases)\n";
    printRows(out, answerRows(study, ranked, cases, verdict));
    printVerdict(out, verdict, cases);
}

}  // namespace qvc::cli
