// Tables of the RTF builder: one \trowd row definition, its cell boundaries and
// its cells' paragraphs per row.

#include "RtfBuilder.h"

namespace qvc::doc::detail {

void RtfBuilder::table(const TableModel& t) {
    for (const TableRowModel& row : t.rows) {
        rowProps(t, row);
        cellDefinitions(t, row);
        cellContents(row);
        out_ += "\\row";
        out_ += kRtfEol;
        spill();
    }
    out_ += "\\pard\\plain\\f0\\fs20";
    out_ += kRtfEol;
}

void RtfBuilder::rowProps(const TableModel& t, const TableRowModel& row) {
    const int32_t pad = row.paddingLeftRightTwips;
    const int32_t padTb = row.paddingTopBottomTwips;
    // The left border lies at trleft minus the gap: trleft = gap puts it on
    // the margin, so the table lines up with the text above it.
    append(
        "\\trowd\\trgaph{0}\\trleft{0}\\trpaddl{0}\\trpaddr{0}\\trpaddt{1}\\trpaddb{1}"
        "\\trpaddfl3\\trpaddfr3\\trpaddft3\\trpaddfb3",
        pad, padTb);
    if (row.header) {
        out_ += "\\trhdr";
    }
    if (t.rowsUnbroken) {
        out_ += "\\trkeep";
    }
    if (row.keepWithNext) {
        out_ += "\\trkeepfollow";
    }
    if (row.minHeightTwips > 0) {
        append("\\trrh{}", row.minHeightTwips);
    }
    out_ += kRtfEol;
}

void RtfBuilder::cellDefinitions(const TableModel& t, const TableRowModel& row) {
    int32_t x = 0;
    for (const TableCellModel& c : row.cells) {
        x += c.widthTwips;
        switch (c.valign) {
            case VAlign::Top:
                out_ += "\\clvertalt";
                break;
            case VAlign::Centre:
                out_ += "\\clvertalc";
                break;
            case VAlign::Bottom:
                out_ += "\\clvertalb";
                break;
        }
        if (t.borderTwips > 0) {
            append(
                "\\clbrdrt\\brdrs\\brdrw{0}\\clbrdrl\\brdrs\\brdrw{0}\\clbrdrb\\brdrs\\brdrw{0}"
                "\\clbrdrr\\brdrs\\brdrw{0}",
                t.borderTwips);
        }
        if (c.shading) {
            append("\\clcbpat{}", colours_.at(*c.shading));
        }
        append("\\cellx{}", x);
    }
    out_ += kRtfEol;
}

void RtfBuilder::cellContents(const TableRowModel& row) {
    for (const TableCellModel& c : row.cells) {
        for (size_t i = 0; i < c.paragraphs.size(); ++i) {
            // Readers keep a row with the next one when every
            // paragraph in it is kept with the next.
            Paragraph p = c.paragraphs[i];
            p.keepWithNext = p.keepWithNext || row.keepWithNext;
            paragraph(p, true, false);
            if (i + 1 < c.paragraphs.size()) {
                out_ += "\\par";
            }
        }
        out_ += "\\cell";
        out_ += kRtfEol;
    }
}

}  // namespace qvc::doc::detail
