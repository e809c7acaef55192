#include "qvc/document/DocumentObject.h"

#include <filesystem>

#include <algorithm>
#include <cmath>

#include "Convert.h"
#include "DocumentEditor.h"
#include "Png.h"
#include "qvc/document/RtfWriter.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::doc {

using rt::Error;
namespace err = rt::err;
using namespace detail;

struct DocumentObject::Entry {
    std::unique_ptr<Document> doc;
    std::unique_ptr<DocumentEditor> editor;
    bool pendingWrite = false;
};

namespace {

void addTabStop(Paragraph& p, TabStop stop) {
    auto it = std::lower_bound(
        p.tabs.begin(), p.tabs.end(), stop,
        [](const TabStop& a, const TabStop& b) { return a.positionTwips < b.positionTwips; });
    if (it != p.tabs.end() && it->positionTwips == stop.positionTwips) {
        *it = stop;
    } else {
        p.tabs.insert(it, stop);
    }
}

bool endsWithTab(const Paragraph& p) {
    return !p.runs.empty() && p.runs.back().kind == Run::Kind::Tab;
}

void append(Paragraph& p, std::vector<Run>&& runs) {
    for (Run& r : runs) {
        p.runs.push_back(std::move(r));
    }
}

Rgb colourOf(int32_t colour, std::optional<int32_t> alt = std::nullopt) {
    auto c = rgbFromLong(colour);
    if (!c && alt) {
        c = rgbFromLong(*alt);
    }
    return c.value_or(Rgb{});
}

}  // namespace

DocumentObject::DocumentObject() = default;
DocumentObject::~DocumentObject() {
    try {
        FlushWrites();
    } catch (...) {
    }
}

int16_t DocumentObject::AttachWindow(DocumentHost* view, std::intptr_t /*ownerHandle*/) {
    host_ = view;
    return view ? 1 : 0;
}

int32_t DocumentObject::NewDocument(std::string_view fileName, std::string_view folder,
                                    std::string_view title, std::string_view author,
                                    std::string_view subject, std::string_view keywords,
                                    std::string_view comment, int16_t mode) {
    if (mode != 1) {
        throw Error(err::kInvalidProcedureCall, "Unknown document mode " + std::to_string(mode));
    }
    if (fileName.empty()) {
        throw Error(err::kInvalidProcedureCall, "A report document needs a file name");
    }
    auto index = static_cast<int32_t>(docs_.size()) + 1;
    auto entry = std::make_unique<Entry>();
    entry->doc = std::make_unique<Document>(
        std::string(fileName), std::string(folder),
        DocumentInfo{std::string(title), std::string(author), std::string(subject),
                     std::string(keywords), std::string(comment)},
        index);
    entry->editor = std::make_unique<DocumentEditor>(*entry->doc);
    docs_.push_back(std::move(entry));
    active_ = index;
    return index;
}

void DocumentObject::ActivateDocument(int32_t index) {
    if (index < 1 || index > DocumentCount()) {
        throw Error(err::kSubscriptOutOfRange,
                    "There is no report document number " + std::to_string(index));
    }
    active_ = index;
    if (host_) {
        host_->documentActivated(*this, index);
    }
}

Document& DocumentObject::ActiveDocument() {
    return activeEditor().document();
}

const Document& DocumentObject::document(int32_t index) const {
    if (index < 1 || index > DocumentCount()) {
        throw Error(err::kSubscriptOutOfRange,
                    "There is no report document number " + std::to_string(index));
    }
    return *docs_[static_cast<size_t>(index - 1)]->doc;
}

Document& DocumentObject::document(int32_t index) {
    const DocumentObject& self = *this;
    return const_cast<Document&>(self.document(index));
}

DocumentEditor& DocumentObject::activeEditor() {
    if (active_ == 0) {
        throw Error(err::kObjectNotSet, "No report document is open");
    }
    return *docs_[static_cast<size_t>(active_ - 1)]->editor;
}

void DocumentObject::WriteDocument(int32_t index, int16_t /*mode*/) {
    int32_t i = index == -1 ? active_ : index;
    if (i == 0 && index == -1) {
        throw Error(err::kObjectNotSet, "No report document is open");
    }
    document(i);  // range check
    Entry& e = *docs_[static_cast<size_t>(i - 1)];
    if (deferred_) {
        // The folder is checked now, so a bad folder fails where it did before.
        const auto folder = e.doc->path().parent_path();
        std::error_code ec;
        if (!folder.empty() && !std::filesystem::is_directory(folder, ec))
            writeFile(e);  // raises the folder error
        e.pendingWrite = true;
        return;
    }
    writeNow(i);
}

void DocumentObject::writeNow(int32_t i) {
    Entry& e = *docs_[static_cast<size_t>(i - 1)];
    writeFile(e);
    e.pendingWrite = false;
}

namespace {

// One spelling per file, so "out/./a.RTF" and "/abs/out/a.RTF" are one file.
std::filesystem::path normalised(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::weakly_canonical(file, ec);
    if (ec)
        p = std::filesystem::absolute(file, ec).lexically_normal();
    return p;
}

}  // namespace

void DocumentObject::writeFile(Entry& e) {
    const std::filesystem::path file = e.doc->path();
    e.editor->withOpenParagraphEnded([&](const Document& d) {
        if (writeRtfFile(d, file))
            created_.insert(normalised(file));
    });
}

bool DocumentObject::CreatedFile(const std::filesystem::path& file) const {
    return created_.contains(normalised(file));
}

void DocumentObject::FlushWrites() {
    for (size_t k = 0; k < docs_.size(); ++k)
        if (docs_[k]->pendingWrite)
            writeNow(static_cast<int32_t>(k + 1));
}

void DocumentObject::ResetFormat() {
    activeEditor().resetFormat();
}

void DocumentObject::SetFontName(std::string_view name) {
    if (name.empty()) {
        throw Error(err::kInvalidProcedureCall, "A font name must not be empty");
    }
    activeEditor().format().font = std::string(name);
}

void DocumentObject::SetFontSize(float points) {
    activeEditor().format().halfPoints = pointsToHalfPoints(points);
}

void DocumentObject::SetMargins(float left, float right, float top, float bottom, float header,
                                float footer) {
    DocumentEditor& ed = activeEditor();
    PageSetup p = ed.page();
    for (float v : {left, right, top, bottom, header, footer}) {
        if (!(v >= 0.0f)) {
            throw Error(err::kInvalidProcedureCall, "Page margins must not be negative");
        }
    }
    p.marginLeft = inchesToTwips(left);
    p.marginRight = inchesToTwips(right);
    p.marginTop = inchesToTwips(top);
    p.marginBottom = inchesToTwips(bottom);
    p.headerDistance = inchesToTwips(header);
    p.footerDistance = inchesToTwips(footer);
    int32_t shortSide = std::min(p.pageWidthTwips, p.pageHeightTwips);
    if (p.marginLeft + p.marginRight > shortSide - kTwipsPerInch ||
        p.marginTop + p.marginBottom > shortSide - kTwipsPerInch) {
        throw Error(err::kInvalidProcedureCall, "Page margins leave no room for text");
    }
    ed.setPage(p);
}

void DocumentObject::SetOrientation(int16_t code) {
    if (code != code::kPortrait && code != code::kLandscape) {
        throw Error(err::kInvalidProcedureCall, "Unknown orientation " + std::to_string(code));
    }
    activeEditor().setOrientation(code == code::kLandscape ? Orientation::Landscape
                                                           : Orientation::Portrait);
}

void DocumentObject::AddText(std::string_view text, std::optional<float> size,
                             std::optional<int32_t> altColour, int16_t code,
                             std::optional<float> spacing, int32_t style, int32_t colour,
                             bool endsParagraph) {
    DocumentEditor& ed = activeEditor();
    if (code < 0 || code > 7) {
        throw Error(err::kInvalidProcedureCall, "Unknown text code " + std::to_string(code));
    }
    CharFormat f = ed.format();
    if (size && *size != 0.0f) {
        f.halfPoints = pointsToHalfPoints(*size);
    }
    f.bold = (code & code::kTextBold) != 0;
    f.italic = (code & code::kTextItalic) != 0;
    f.underline = (code & code::kTextUnderline) != 0;
    f.colour = colourOf(colour, altColour);
    std::optional<HAlign> align;
    if (style != code::kAlignKeep) {
        align = alignFromCode(style);
    }
    if (spacing && !(*spacing == 0.0f || (*spacing >= 0.5f && *spacing <= 5.0f))) {
        throw Error(err::kInvalidProcedureCall, "Line spacing must be between 0.5 and 5 lines");
    }

    Paragraph& p = ed.openParagraph();
    if (p.runs.empty()) {
        if (align) {
            p.align = *align;
        }
        p.endFormat = f;
    } else if (align && *align != HAlign::Left) {
        int32_t width = ed.page().textWidth();
        bool right = *align == HAlign::Right;
        addTabStop(p, TabStop{right ? width : width / 2,
                              right ? TabStop::Kind::Right : TabStop::Kind::Centre});
        p.runs.push_back(Run{Run::Kind::Tab, {}, f, nullptr});
    }
    if (spacing && *spacing != 0.0f) {
        p.lineSpacingPercent = static_cast<int32_t>(std::lround(*spacing * 100.0f));
    }
    append(p, textRuns(text, f));
    if (endsParagraph) {
        ed.closeParagraph();
    }
}

void DocumentObject::AddLabelValue(std::string_view text, std::string_view text2, bool valueFlag,
                                   int16_t /*unused1*/, int16_t /*unused2*/, double tabInches,
                                   std::optional<float> size, std::optional<float> size2,
                                   int16_t /*unused3*/, int32_t colour, bool endsParagraph) {
    DocumentEditor& ed = activeEditor();
    CharFormat f1 = ed.format();
    f1.bold = f1.italic = f1.underline = false;
    f1.colour = colourOf(colour);
    if (size && *size != 0.0f) {
        f1.halfPoints = pointsToHalfPoints(*size);
    }
    CharFormat f2 = f1;
    if (size2 && *size2 != 0.0f) {
        f2.halfPoints = pointsToHalfPoints(*size2);
    }
    bool hasValue = !text2.empty() || valueFlag;
    int32_t tab = 0;
    if (hasValue) {
        tab = inchesToTwips(tabInches);
        if (tab <= 0) {
            throw Error(err::kInvalidProcedureCall, "A tab position must be positive");
        }
    }
    Paragraph& p = ed.openParagraph();
    if (p.runs.empty()) {
        p.endFormat = f1;
    }
    auto placeValue = [&](std::string_view value, const CharFormat& f) {
        if (!endsWithTab(p)) {
            p.runs.push_back(Run{Run::Kind::Tab, {}, f, nullptr});
        }
        addTabStop(p, TabStop{tab, TabStop::Kind::Right});
        append(p, textRuns(value, f));
    };
    if (!text2.empty()) {
        append(p, textRuns(text, f1));
        placeValue(text2, f2);
    } else if (valueFlag) {
        placeValue(text, f1);
    } else {
        append(p, textRuns(text, f1));
    }
    if (endsParagraph) {
        ed.closeParagraph();
    }
}

void DocumentObject::NewLine(int32_t count) {
    if (count < 0) {
        throw Error(err::kInvalidProcedureCall, "NewLine needs a count of 0 or more");
    }
    DocumentEditor& ed = activeEditor();
    if (count > 0 && ed.hasOpenParagraph()) {
        ed.closeParagraph();
        --count;
    }
    for (int32_t i = 0; i < count; ++i) {
        ed.addEmptyParagraph();
    }
}

void DocumentObject::InsertField(int32_t fieldCode, int16_t /*format*/) {
    DocumentEditor& ed = activeEditor();
    Run::Kind kind;
    switch (fieldCode) {
        case code::kFieldPageNumber:
            kind = Run::Kind::PageNumber;
            break;
        case code::kFieldPageCount:
            kind = Run::Kind::PageCount;
            break;
        case code::kFieldSeparator:
            kind = Run::Kind::Text;
            break;
        default:
            throw Error(err::kInvalidProcedureCall,
                        "Unknown field code " + std::to_string(fieldCode));
    }
    Paragraph& p = ed.openParagraph();
    CharFormat f = p.runs.empty() ? ed.format() : p.runs.back().format;
    if (kind == Run::Kind::Text && !p.runs.empty() && p.runs.back().kind == Run::Kind::Text) {
        p.runs.back().text += ' ';
    } else {
        p.runs.push_back(Run{kind, kind == Run::Kind::Text ? " " : "", f, nullptr});
    }
}

void DocumentObject::EditHeader(bool on, int16_t /*unused*/) {
    DocumentEditor& ed = activeEditor();
    if (on) {
        ed.setTarget(DocumentEditor::Target::Header);
    } else if (ed.target() == DocumentEditor::Target::Header) {
        ed.setTarget(DocumentEditor::Target::Body);
    }
}

void DocumentObject::EditFooter(bool on, int16_t /*unused*/) {
    DocumentEditor& ed = activeEditor();
    if (on) {
        ed.setTarget(DocumentEditor::Target::Footer);
    } else if (ed.target() == DocumentEditor::Target::Footer) {
        ed.setTarget(DocumentEditor::Target::Body);
    }
}

void DocumentObject::ApplyHeaderFooter(bool on) {
    DocumentEditor& ed = activeEditor();
    ed.setTarget(DocumentEditor::Target::Body);
    if (on) {
        ed.applyHeaderFooterToAll();
    }
}

void DocumentObject::InsertPicture(const std::vector<uint8_t>& png, double widthPt,
                                   double heightPt) {
    DocumentEditor& ed = activeEditor();
    auto px = pngSize(png);
    if (!px) {
        throw Error(err::kInvalidProcedureCall, "The picture is not a PNG image");
    }
    if (!std::isfinite(widthPt) || !std::isfinite(heightPt) || widthPt <= 0 || heightPt <= 0 ||
        widthPt > 5000 || heightPt > 5000) {
        throw Error(err::kInvalidProcedureCall, "A picture size must be positive");
    }
    const PageSetup& page = ed.page();
    double w = widthPt * kTwipsPerPoint;
    double h = heightPt * kTwipsPerPoint;
    double maxW = page.textWidth();
    double maxH = page.pageHeightTwips - page.marginTop - page.marginBottom - 2 * kTwipsPerInch;
    double scale = std::min({1.0, maxW / w, maxH / h});
    auto pic = std::make_shared<Picture>();
    pic->png = png;
    pic->pixelWidth = px->first;
    pic->pixelHeight = px->second;
    pic->widthTwips = static_cast<int32_t>(std::lround(w * scale));
    pic->heightTwips = static_cast<int32_t>(std::lround(h * scale));
    Paragraph& p = ed.openParagraph(HAlign::Centre);
    p.runs.push_back(Run{Run::Kind::Picture, {}, ed.format(), std::move(pic)});
}

void DocumentObject::SetTextFlags(int32_t flag, bool on) {
    if (flag == 0 || (flag & ~(code::kFlagEndBlock | code::kFlagKeepTables)) != 0) {
        throw Error(err::kInvalidProcedureCall, "Unknown text flag " + std::to_string(flag));
    }
    if (on) {
        flags_ |= flag;
    } else {
        flags_ &= ~flag;
    }
    if (on && (flag & code::kFlagEndBlock) != 0) {
        activeEditor().closeParagraph();
        flags_ &= ~code::kFlagEndBlock;
    }
}

void DocumentObject::EndTableBlock() {
    activeEditor().closeParagraph();
}

void DocumentObject::InsertBreak(int16_t kind) {
    DocumentEditor& ed = activeEditor();
    if (kind == code::kBreakPage) {
        ed.addBlock(PageBreak{});
    } else if (kind == code::kBreakLine) {
        Paragraph& p = ed.openParagraph();
        CharFormat f = p.runs.empty() ? ed.format() : p.runs.back().format;
        p.runs.push_back(Run{Run::Kind::LineBreak, {}, f, nullptr});
    } else {
        throw Error(err::kInvalidProcedureCall, "Unknown break kind " + std::to_string(kind));
    }
}

void DocumentObject::FinishDocument(bool write, int16_t /*unused*/) {
    DocumentEditor& ed = activeEditor();
    ed.setTarget(DocumentEditor::Target::Body);
    ed.closeParagraph();
    if (write) {
        writeNow(active_);
    }
}

void DocumentObject::SetRedraw(bool on) {
    redraw_ = on;
    if (host_) {
        host_->redrawChanged(on);
    }
}

void DocumentObject::SetZoom(int16_t percent) {
    if (percent < 10 || percent > 500) {
        throw Error(err::kInvalidProcedureCall, "Zoom must be between 10 and 500 percent");
    }
    zoom_ = percent;
    if (host_) {
        host_->zoomChanged(percent);
    }
}

void DocumentObject::PrintDocument(int16_t flag) {
    activeEditor();  // there must be a document
    if (!host_) {
        throw Error(err::kDeviceUnavailable,
                    "No printer is available: the report documents are not attached to a "
                    "viewer window");
    }
    host_->printDocument(*this, active_, flag != 0);
}

}  // namespace qvc::doc
