#pragma once
// Installs the Qt report viewer, a printer or a PDF printer for one command, and
// takes them down again before Qt ends.

#include <memory>
#include <string>

namespace qvc::cli {

struct ReportOptions;

class ViewerSetup {
  public:
    // Nothing happens unless the options ask to view or print. Raises
    // CommandError when the viewer is needed but not built or no display exists.
    explicit ViewerSetup(const ReportOptions& options);
    ~ViewerSetup();
    ViewerSetup(const ViewerSetup&) = delete;
    ViewerSetup& operator=(const ViewerSetup&) = delete;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace qvc::cli
