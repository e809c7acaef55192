#pragma once
// What the viewer windows need from the component that builds the reports: the
// resource texts of the calling thread, the three-line error message, the help
// page, the temporary folder and the text cash-flow notice. The component's
// state is per thread and lives inside the component library, so the host
// hands the viewer an object that reads it there (see installQtServices).
//
// Every call comes from the thread that builds and shows the reports.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace qvc::viewer {

class ViewerEnvironment {
  public:
    virtual ~ViewerEnvironment() = default;
    // The resource text of `key` (gXstrReportFiles, gXstrSaveRpt ...); empty when
    // it is unknown or not loaded.
    virtual std::string text(std::string_view key) const = 0;
    // The message shown for an error record "number#description#procedure#class#".
    virtual std::string formatError(const std::string& record) const = 0;
    // Opens the help page at `context`; shows nothing when there is no help file.
    virtual void showHelp(int32_t context) const = 0;
    // Folder the save dialog starts in; empty = the dialog's own choice.
    virtual std::string tempFolder() const = 0;
    // When the build wrote the text cash-flow file: gXstrASCIIFile & " " & the
    // file's path, shown once when the viewer is activated; otherwise none.
    virtual std::optional<std::string> asciiFileNotice() const = 0;
};

// A fixed environment: texts from a table, a help callback, no notice. Used by
// hosts that only print or view documents they made themselves, and by tests.
class FixedViewerEnvironment : public ViewerEnvironment {
  public:
    std::string text(std::string_view key) const override;
    std::string formatError(const std::string& record) const override;
    void showHelp(int32_t context) const override;
    std::string tempFolder() const override { return tempFolder_; }
    std::optional<std::string> asciiFileNotice() const override { return notice_; }

    // The English texts the viewer uses, as shipped.
    static FixedViewerEnvironment english();
    void setText(std::string key, std::string value);
    void setTempFolder(std::string folder) { tempFolder_ = std::move(folder); }
    void setAsciiFileNotice(std::optional<std::string> notice) { notice_ = std::move(notice); }
    // Help requests go to the installed help service (ui::Services::help()) with
    // this file; empty = no help.
    void setHelpFile(std::string file) { helpFile_ = std::move(file); }

  private:
    std::map<std::string, std::string, std::less<>> texts_;
    std::string tempFolder_;
    std::string helpFile_;
    std::optional<std::string> notice_;
};

}  // namespace qvc::viewer
