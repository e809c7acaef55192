// The set of documents: creating, activating and finding them, and writing
// their files (at once or deferred). Text, page setup and the viewer's
// operations are in the DocumentObject*.cpp files beside this one.

#include "qvc/document/DocumentObject.h"

#include <fmt/format.h>

#include <filesystem>

#include "DocumentEditor.h"
#include "qvc/document/RtfWriter.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::doc {

using rt::Error;
namespace err = rt::err;

struct DocumentObject::Entry {
    std::unique_ptr<Document> doc;
    std::unique_ptr<DocumentEditor> editor;
    bool pendingWrite = false;
};

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

DocumentObject::DocumentObject() = default;

DocumentObject::~DocumentObject() {
    try {
        FlushWrites();
    } catch (...) {
    }
}

int32_t DocumentObject::NewDocument(std::string_view fileName, std::string_view folder,
                                    std::string_view title, std::string_view author,
                                    std::string_view subject, std::string_view keywords,
                                    std::string_view comment, int16_t mode) {
    if (mode != 1) {
        throw Error(err::kInvalidProcedureCall, fmt::format("Unknown document mode {}", mode));
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
                    fmt::format("There is no report document number {}", index));
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
                    fmt::format("There is no report document number {}", index));
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

void DocumentObject::FinishDocument(bool write, int16_t /*unused*/) {
    DocumentEditor& ed = activeEditor();
    ed.setTarget(DocumentEditor::Target::Body);
    ed.closeParagraph();
    if (write) {
        writeNow(active_);
    }
}

}  // namespace qvc::doc
