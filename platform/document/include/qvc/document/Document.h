#pragma once
// One report document: its file name and folder, its information block and its
// sections. Everyone may read it; only the library's editor changes the content.
// FileName and FileFolder may be changed by anyone (the viewer's "save as" does).

#include <filesystem>
#include <string>
#include <vector>

#include "qvc/document/Export.h"
#include "qvc/document/Model.h"

namespace qvc::doc {

class QVC_DOCUMENT_EXPORT Document {
  public:
    Document(std::string fileName, std::string folder, DocumentInfo info, int32_t index);

    const std::string& FileName() const { return fileName_; }
    const std::string& FileFolder() const { return folder_; }
    void SetFileName(std::string name) { fileName_ = std::move(name); }
    void SetFileFolder(std::string folder) { folder_ = std::move(folder); }
    int32_t Index() const { return index_; }  // 1-based position in its DocumentObject
    std::filesystem::path path() const;       // FileFolder / FileName

    const DocumentInfo& info() const { return info_; }
    const std::vector<Section>& sections() const { return sections_; }

  private:
    friend class DocumentEditor;
    std::string fileName_;
    std::string folder_;
    DocumentInfo info_;
    int32_t index_;
    std::vector<Section> sections_;
};

}  // namespace qvc::doc
