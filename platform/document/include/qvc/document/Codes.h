#pragma once
// The meaning of every number the reports pass to the document library.
// These values are a contract with the report code: change none of them.
//
// Colours (AddText, AddLabelValue colour; cell SetBackColor) are Basic RGB longs,
// &HBBGGRR: red + 256 * green + 65536 * blue. So 240 is RGB(240, 0, 0), the clear
// red used for failure notes and "no items" notes, and 16, 32, 48 are near-black
// reds. Any negative value (the system-colour form, such as &H80000000) means the
// default text colour, black.
//
// AddText(text, size, altColour, code, spacing, style, colour, endsParagraph):
//   size      font size in points for this text; none or 0 = the current size
//   altColour used only when `colour` is the default; ignored otherwise
//   code      character style bits: 2 bold (headings), 4 italic, 1 underline; 0 regular
//   spacing   line spacing of the paragraph in lines (1.2 = 120 %); none = single
//   style     alignment, the same codes as cell alignment: 1024 left, 2 right,
//             1 centre, -1 keep. The first text of a paragraph sets the paragraph's
//             alignment (-1 gives left). A later text with 2 (right) or 1 (centre)
//             in the same paragraph moves to a right (centre) tab stop at the right
//             edge (middle) of the text area: "left part ... right part" lines
//             such as the footer's "App v1.0 .... Page 3 of 9".
//   colour    see Colours
//   endsParagraph  true ends the paragraph after the text
//   Tabs in the text are tab characters; CR LF, CR or LF are line breaks.
//
// AddLabelValue(text, text2, valueFlag, unused1, unused2, tabInches, size, size2,
//               unused3, colour, endsParagraph):
//   Writes `text` at the current position. The value part is `text2` when it is not
//   empty, otherwise `text` itself when valueFlag is true; it is placed at a
//   right-aligned tab stop `tabInches` from the left margin, so values and numbers
//   line up on their right edge (a tab is written before it unless the text before
//   already ends with one). A call with valueFlag false and no text2 writes a label
//   only and sets no tab stop. size applies to `text`, size2 to `text2` (none or 0 =
//   the current size). The two Integers after the flag and the width value (the
//   25 / 45 of the reports) have no effect on the layout.
//
// Paragraph and table codes:
//   alignment        1024 left, 2 right, 1 centre (cells and AddText style)
//   vertical align   1 top, 2 centre, 3 bottom
//   SetTextFlags     0x4000 (16384) end of block: ends an open paragraph and resets
//                    the paragraph settings; 0x8000 (32768) keep tables together:
//                    while set, table rows are never split across pages. The Boolean
//                    sets (true) or clears (false) the flag; 0x4000 acts when set.
//   InsertBreak      2 page break (a break at the very end of a document or a
//                    section is dropped, so no empty page is ever added);
//                    1 line break inside the paragraph
//   InsertField      719 page number, 752 number of pages, 740 separator (one blank);
//                    the second argument 1 is arabic numbering, the only one used
//   SetOrientation   1 portrait, 2 landscape (US Letter 8.5 x 11 in either way)
//   SetMargins       left, right, top, bottom, header, footer in inches; header and
//                    footer are the distances of their text from the page edge
//   cell SetPadding  inches of inner space beside the text, shared by its two sides
//                    (half left, half right; a quarter above and below), so narrow
//                    columns keep room for their text. Taken per row (largest)
//   cell SetCellMeasure  minimum row height in inches; 0 = as high as the text
//   cell SetWidth    inches; cells without a width share what is left of the text width
//   SetHeaderRow(true)   the first row repeats at the top of each page
//   NewDocument mode 1   a new, empty document; the four strings are author,
//                    subject, keywords and comment of the document information
//   EditHeader/EditFooter(true, 0)  following text goes into the page header /
//                    footer of the current section (the old content is replaced);
//                    (false, 0) back to the body
//   ApplyHeaderFooter(true)  ends the page frame: a thin rule goes under the header
//                    and over the footer, and sections without a header or footer
//                    of their own get the current one (later sections copy it anyway)
//   FinishDocument(true, 0)  ends an open paragraph and writes the file
//   WriteDocument(index, 0)  index -1 = the active document
//   PrintDocument(0)  prints the active document without a dialog; any other value
//                    lets the printing service show its dialog

#include <cstdint>

namespace qvc::doc::code {

inline constexpr int32_t kDefaultColour = INT32_MIN;  // &H80000000

inline constexpr int32_t kAlignLeft = 1024;
inline constexpr int32_t kAlignRight = 2;
inline constexpr int32_t kAlignCentre = 1;
inline constexpr int32_t kAlignKeep = -1;

inline constexpr int32_t kVAlignTop = 1;
inline constexpr int32_t kVAlignCentre = 2;
inline constexpr int32_t kVAlignBottom = 3;

inline constexpr int16_t kTextUnderline = 1;
inline constexpr int16_t kTextBold = 2;
inline constexpr int16_t kTextItalic = 4;

inline constexpr int32_t kFlagEndBlock = 0x4000;
inline constexpr int32_t kFlagKeepTables = 0x8000;

inline constexpr int16_t kBreakLine = 1;
inline constexpr int16_t kBreakPage = 2;

inline constexpr int32_t kFieldPageNumber = 719;
inline constexpr int32_t kFieldPageCount = 752;
inline constexpr int32_t kFieldSeparator = 740;

inline constexpr int16_t kPortrait = 1;
inline constexpr int16_t kLandscape = 2;

}  // namespace qvc::doc::code
