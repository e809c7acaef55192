#include "ColumnFitter.h"

#include <utf8.h>

#include <algorithm>
#include <numeric>
#include <optional>
#include <set>
#include <vector>

#include "TextWidth.h"

namespace qvc::doc::detail {

namespace {

// Room left for the readers' own rounding and for the cell borders.
constexpr int32_t kSlackTwips = 40;

bool isLetter(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || c >= 0xC0;
}

// One line of a cell: its text pieces with their formats.
struct Piece {
    std::string text;
    const CharFormat* format;
};
using Line = std::vector<Piece>;

std::vector<Line> linesOf(const TableCellModel& cell) {
    std::vector<Line> lines;
    for (const Paragraph& p : cell.paragraphs) {
        lines.emplace_back();
        for (const Run& r : p.runs) {
            if (r.kind == Run::Kind::LineBreak) {
                lines.emplace_back();
            } else if (r.kind == Run::Kind::Text) {
                lines.back().push_back(Piece{r.text, &r.format});
            } else if (r.kind == Run::Kind::Tab) {
                lines.back().push_back(Piece{" ", &r.format});
            }
        }
    }
    return lines;
}

struct LineWidths {
    int32_t whole = 0;
    int32_t longestWord = 0;
    bool figure = false;
    bool empty = true;
};

LineWidths measureLine(const Line& line) {
    LineWidths out;
    std::string all;
    int32_t word = 0;
    // Blanks at the start of a line stay in front of its first word: readers
    // do not break there.
    bool leading = true;
    for (const Piece& piece : line) {
        all += piece.text;
        out.whole += textWidthTwips(piece.text, *piece.format);
        auto it = piece.text.begin();
        while (it != piece.text.end()) {
            const auto start = it;
            const char32_t c = utf8::unchecked::next(it);
            leading = leading && c == U' ';
            if (c == U' ' && !leading) {
                out.longestWord = std::max(out.longestWord, word);
                word = 0;
            } else {
                word += textWidthTwips(std::string_view(&*start, static_cast<size_t>(it - start)),
                                       *piece.format);
            }
        }
    }
    out.longestWord = std::max(out.longestWord, word);
    out.figure = isFigure(all);
    out.empty = all.find_first_not_of(' ') == std::string::npos;
    return out;
}

struct Column {
    int32_t width = 0;
    int32_t need = 0;
    int32_t natural = 0;
    int32_t figures = 0;
    int32_t words = 0;
    bool number() const { return figures > words; }
};

struct Span {
    size_t first;
    size_t last;  // one past
};

// Takes up to `wanted` twips from the columns for which `floorOf` returns a
// floor below their width, in proportion to what each can give. Returns what
// was taken.
template <typename Floor>
int64_t takeFrom(std::vector<Column>& columns, int64_t wanted, Floor floorOf) {
    int64_t available = 0;
    for (const Column& c : columns) {
        if (const auto floor = floorOf(c); floor && c.width > *floor) {
            available += c.width - *floor;
        }
    }
    const int64_t take = std::min(available, wanted);
    if (take <= 0) {
        return 0;
    }
    int64_t taken = 0;
    for (Column& c : columns) {
        const auto floor = floorOf(c);
        if (!floor || c.width <= *floor) {
            continue;
        }
        const int64_t surplus = c.width - *floor;
        const int64_t give = std::min(surplus, (surplus * take + available - 1) / available);
        const int64_t now = std::min(give, take - taken);
        c.width -= static_cast<int32_t>(now);
        taken += now;
    }
    return taken;
}

}  // namespace

bool isFigure(std::string_view line) {
    bool digit = false;
    auto it = line.begin();
    while (it != line.end()) {
        const char32_t c = utf8::unchecked::next(it);
        if (isLetter(c)) {
            return false;
        }
        digit = digit || (c >= U'0' && c <= U'9');
    }
    return digit;
}

CellNeed measureCell(const TableCellModel& cell, int32_t paddingLeftRightTwips) {
    CellNeed need;
    int32_t widest = 0;
    int32_t natural = 0;
    bool words = false;
    bool figures = false;
    for (const Line& line : linesOf(cell)) {
        const LineWidths w = measureLine(line);
        if (w.empty) {
            continue;
        }
        need.empty = false;
        widest = std::max(widest, w.figure ? w.whole : w.longestWord);
        natural = std::max(natural, w.whole);
        (w.figure ? figures : words) = true;
    }
    const int32_t extra = 2 * paddingLeftRightTwips + kSlackTwips;
    need.minimum = need.empty ? 0 : widest + extra;
    need.natural = need.empty ? 0 : natural + extra;
    need.figure = figures && !words;
    return need;
}

namespace {

// The columns of a table: the strips between the cell edges of all rows.
struct ColumnGrid {
    std::vector<int32_t> edges;  // from 0 to the widest row's right edge
    std::vector<Column> columns;

    size_t indexOf(int32_t x) const {
        return static_cast<size_t>(std::lower_bound(edges.begin(), edges.end(), x) - edges.begin());
    }
};

// Each row's cells as spans of columns.
using RowSpans = std::vector<std::vector<Span>>;

ColumnGrid gridOf(const TableModel& table) {
    std::set<int32_t> edges{0};
    for (const TableRowModel& row : table.rows) {
        int32_t x = 0;
        for (const TableCellModel& cell : row.cells) {
            x += cell.widthTwips;
            edges.insert(x);
        }
    }
    ColumnGrid grid;
    grid.edges.assign(edges.begin(), edges.end());
    grid.columns.resize(grid.edges.size() - 1);
    for (size_t c = 0; c < grid.columns.size(); ++c) {
        grid.columns[c].width = grid.edges[c + 1] - grid.edges[c];
    }
    return grid;
}

RowSpans spansOf(const TableModel& table, const ColumnGrid& grid) {
    RowSpans spans(table.rows.size());
    for (size_t r = 0; r < table.rows.size(); ++r) {
        int32_t x = 0;
        for (const TableCellModel& cell : table.rows[r].cells) {
            spans[r].push_back(Span{grid.indexOf(x), grid.indexOf(x + cell.widthTwips)});
            x += cell.widthTwips;
        }
    }
    return spans;
}

// What the cells of one column need. Header cells count for the minimum only:
// their text neither widens a column's natural width nor makes it a number column.
void addSingleColumnNeeds(const TableModel& table, const RowSpans& spans,
                          std::vector<Column>& columns) {
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const TableRowModel& row = table.rows[r];
        for (size_t i = 0; i < row.cells.size(); ++i) {
            const Span span = spans[r][i];
            if (span.last != span.first + 1) {
                continue;
            }
            const CellNeed need = measureCell(row.cells[i], row.paddingLeftRightTwips);
            Column& column = columns[span.first];
            column.need = std::max(column.need, need.minimum);
            if (!row.header && !need.empty) {
                column.natural = std::max(column.natural, need.natural);
                ++(need.figure ? column.figures : column.words);
            }
        }
    }
}

// A cell spanning several columns adds what the columns under it still lack
// once their own cells are served, evenly.
void addSpanningNeeds(const TableModel& table, const RowSpans& spans,
                      std::vector<Column>& columns) {
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const TableRowModel& row = table.rows[r];
        for (size_t i = 0; i < row.cells.size(); ++i) {
            const Span span = spans[r][i];
            if (span.last <= span.first + 1) {
                continue;
            }
            const int32_t need = measureCell(row.cells[i], row.paddingLeftRightTwips).minimum;
            int32_t have = 0;
            for (size_t c = span.first; c < span.last; ++c) {
                have += std::max(columns[c].need, columns[c].width);
            }
            const int32_t count = static_cast<int32_t>(span.last - span.first);
            const int32_t lack = need - have;
            for (size_t c = span.first; lack > 0 && c < span.last; ++c) {
                columns[c].need =
                    std::max(columns[c].need, columns[c].width) + (lack + count - 1) / count;
            }
        }
    }
}

// Widens every column to what it needs; returns the twips added.
int64_t widenToNeeds(std::vector<Column>& columns) {
    int64_t added = 0;
    for (Column& c : columns) {
        if (c.width < c.need) {
            added += c.need - c.width;
            c.width = c.need;
        }
    }
    return added;
}

// Takes `deficit` twips back from the columns that can spare them: text
// columns down to their longest line, then down to their longest word, then
// number columns down to their widest figure.
void narrowToMakeRoom(std::vector<Column>& columns, int64_t deficit) {
    using Floor = std::optional<int32_t>;
    deficit -= takeFrom(columns, deficit, [](const Column& c) {
        return c.number() ? Floor{} : Floor{std::max(c.need, c.natural)};
    });
    deficit -= takeFrom(columns, deficit,
                        [](const Column& c) { return c.number() ? Floor{} : Floor{c.need}; });
    takeFrom(columns, deficit,
             [](const Column& c) { return c.number() ? Floor{c.need} : Floor{}; });
}

int64_t totalWidth(const std::vector<Column>& columns) {
    return std::accumulate(columns.begin(), columns.end(), int64_t{0},
                           [](int64_t s, const Column& c) { return s + c.width; });
}

void applyWidths(TableModel& table, const RowSpans& spans, const std::vector<Column>& columns) {
    std::vector<int32_t> edges{0};
    for (const Column& c : columns) {
        edges.push_back(edges.back() + c.width);
    }
    for (size_t r = 0; r < table.rows.size(); ++r) {
        for (size_t i = 0; i < table.rows[r].cells.size(); ++i) {
            const Span span = spans[r][i];
            table.rows[r].cells[i].widthTwips = edges[span.last] - edges[span.first];
        }
    }
}

}  // namespace

bool fitColumns(TableModel& table, int32_t maxWidthTwips) {
    ColumnGrid grid = gridOf(table);
    const RowSpans spans = spansOf(table, grid);
    // Single-column cells first, so that spanning cells see what their
    // columns already get.
    addSingleColumnNeeds(table, spans, grid.columns);
    addSpanningNeeds(table, spans, grid.columns);

    const int64_t deficit = widenToNeeds(grid.columns);
    if (deficit == 0) {
        return true;
    }
    narrowToMakeRoom(grid.columns, deficit);
    if (totalWidth(grid.columns) > std::max<int64_t>(maxWidthTwips, grid.edges.back())) {
        return false;
    }
    applyWidths(table, spans, grid.columns);
    return true;
}

}  // namespace qvc::doc::detail
