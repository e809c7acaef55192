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
    word("\\trowd\\trgaph", pad);
    word("\\trleft", pad);
    word("\\trpaddl", pad);
    word("\\trpaddr", pad);
    word("\\trpaddt", padTb);
    word("\\trpaddb", padTb);
    out_ += "\\trpaddfl3\\trpaddfr3\\trpaddft3\\trpaddfb3";
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
        word("\\trrh", row.minHeightTwips);
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
            word("\\clbrdrt\\brdrs\\brdrw", t.borderTwips);
            word("\\clbrdrl\\brdrs\\brdrw", t.borderTwips);
            word("\\clbrdrb\\brdrs\\brdrw", t.borderTwips);
            word("\\clbrdrr\\brdrs\\brdrw", t.borderTwips);
        }
        if (c.shading) {
            word("\\clcbpat", colours_.at(*c.shading));
        }
        word("\\cellx", x);
    }
    out_ += kRtfEol;
}

void RtfBuilder::cellContents(const TableRowModel& row) {
    for (const TableCellModel& c : row.cells) {
        for (size_t i = 0; i < c.paragraphs.size(); ++i) {
            // Readers keep a row with the next one when every
            // paragraph in it is kept with the next.
            paragraph(c.paragraphs[i], true, false, row.keepWithNext);
            if (i + 1 < c.paragraphs.size()) {
                out_ += "\\par";
            }
        }
        out_ += "\\cell";
        out_ += kRtfEol;
    }
}

}  // namespace qvc::doc::detail
