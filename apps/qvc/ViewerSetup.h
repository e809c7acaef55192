#pragma once
// Loads the report viewer plug-in for one command that views or prints, installs
// the Qt report viewer, a printer or a PDF printer through it, and takes them
// down again before Qt ends. Commands that do neither never load Qt.

#include <memory>
#include <string>

namespace qvc::cli {

struct ReportOptions;

class ViewerSetup {
  public:
    // Nothing happens unless the options ask to view or print. Raises
    // CommandError when the plug-in is not installed or cannot start (no display,
    // no printer).
    explicit ViewerSetup(const ReportOptions& options);
    ~ViewerSetup();
    ViewerSetup(const ViewerSetup&) = delete;
    ViewerSetup& operator=(const ViewerSetup&) = delete;

    // The plug-in file: QVC_VIEWER_PLUGIN, else the component's plug-in folder.
    static std::string pluginFile();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace qvc::cli
