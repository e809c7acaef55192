#pragma once
// The report document library's entry point: an ordered set of report documents,
// one per report section, each written to its own RTF file. The report code calls
// the operations below with the values described in Codes.h.
//
// Ownership and threads: the object owns its documents; a DocumentHost given to
// AttachWindow is not owned and must outlive the attachment (or be detached with
// AttachWindow(nullptr, 0)). One thread at a time.
//
// Failures raise qvc::rt::Error: 91 when an operation needs an active document and
// there is none, 9 for a document index out of range, 5 for an invalid code or
// value, 76 when the folder to write to does not exist, 68 when printing is asked
// for and no printer is available.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "qvc/document/Codes.h"
#include "qvc/document/Document.h"
#include "qvc/document/DocumentHost.h"
#include "qvc/document/Export.h"

namespace qvc::doc {

class DocumentEditor;

class QVC_DOCUMENT_EXPORT DocumentObject {
  public:
    DocumentObject();
    ~DocumentObject();
    DocumentObject(const DocumentObject&) = delete;
    DocumentObject& operator=(const DocumentObject&) = delete;

    // Returns 1 when `view` can show the documents, 0 when it is null.
    int16_t AttachWindow(DocumentHost* view, std::intptr_t ownerHandle);
    DocumentHost* attachedWindow() const { return host_; }

    // Appends a document and makes it active; returns its 1-based index.
    int32_t NewDocument(std::string_view fileName, std::string_view folder,
                        std::string_view title = "Untitled", std::string_view author = "",
                        std::string_view subject = "", std::string_view keywords = "",
                        std::string_view comment = "", int16_t mode = 1);
    int32_t DocumentCount() const { return static_cast<int32_t>(docs_.size()); }
    void ActivateDocument(int32_t index);
    Document& ActiveDocument();
    const Document& document(int32_t index) const;   // 1-based; 9 when out of range
    Document& document(int32_t index);               // FileName / FileFolder may be changed
    int32_t activeIndex() const { return active_; }  // 0 when there is none

    void WriteDocument(int32_t index = -1, int16_t mode = 0);
    // With deferred writes on, WriteDocument only checks its arguments and
    // marks the document; the file is written once, by FinishDocument(true),
    // FlushWrites or the destructor. Report builders turn this on because the
    // reports save after every table, which would rewrite a growing file
    // again and again.
    void SetDeferredWrites(bool on) { deferred_ = on; }
    // Writes every document marked by a deferred WriteDocument.
    void FlushWrites();
    // True when a write of this object created `file`: no file of that name was
    // there before. Only such files may be removed again (working copies); a
    // file that existed before, even if a write replaced it, is the user's.
    bool CreatedFile(const std::filesystem::path& file) const;
    void ResetFormat();
    void SetFontName(std::string_view name);
    void SetFontSize(float points);
    void SetMargins(float left, float right, float top, float bottom, float header, float footer);
    void SetOrientation(int16_t code);

    void AddText(std::string_view text, std::optional<float> size = std::nullopt,
                 std::optional<int32_t> altColour = std::nullopt, int16_t code = 0,
                 std::optional<float> spacing = std::nullopt, int32_t style = code::kAlignKeep,
                 int32_t colour = code::kDefaultColour, bool endsParagraph = false);
    void AddLabelValue(std::string_view text, std::string_view text2, bool valueFlag,
                       int16_t unused1, int16_t unused2, double tabInches,
                       std::optional<float> size = std::nullopt,
                       std::optional<float> size2 = std::nullopt, int16_t unused3 = 0,
                       int32_t colour = code::kDefaultColour, bool endsParagraph = false);
    void NewLine(int32_t count = 1);
    void InsertField(int32_t fieldCode, int16_t format = 1);
    void EditHeader(bool on, int16_t unused = 0);
    void EditFooter(bool on, int16_t unused = 0);
    void ApplyHeaderFooter(bool on = true);
    // A PNG picture shown widthPt x heightPt points (shrunk, keeping its shape, when
    // larger than the text area). Data that is not a PNG raises Error 5.
    void InsertPicture(const std::vector<uint8_t>& png, double widthPt, double heightPt);
    void SetTextFlags(int32_t flag, bool on);
    bool textFlag(int32_t flag) const { return (flags_ & flag) != 0; }
    void EndTableBlock();
    void InsertBreak(int16_t kind);
    void FinishDocument(bool write = true, int16_t unused = 0);
    void SetRedraw(bool on);
    bool redraw() const { return redraw_; }
    void SetZoom(int16_t percent);  // 10..500
    int16_t zoom() const { return zoom_; }
    void PrintDocument(int16_t flag = 0);

    // Used by Table::InsertInto.
    DocumentEditor& activeEditor();

  private:
    struct Entry;
    std::vector<std::unique_ptr<Entry>> docs_;
    int32_t active_ = 0;
    DocumentHost* host_ = nullptr;
    int32_t flags_ = 0;
    bool redraw_ = true;
    bool deferred_ = false;
    void writeNow(int32_t index);
    void writeFile(Entry& e);
    std::set<std::filesystem::path> created_;  // normalised paths
    int16_t zoom_ = 100;
};

}  // namespace qvc::doc
