#include "qvc/document/Document.h"

namespace qvc::doc {

Document::Document(std::string fileName, std::string folder, DocumentInfo info, int32_t index)
    : fileName_(std::move(fileName)),
      folder_(std::move(folder)),
      info_(std::move(info)),
      index_(index) {
    sections_.emplace_back();
}

std::filesystem::path Document::path() const {
    return std::filesystem::path(folder_) / fileName_;
}

}  // namespace qvc::doc
