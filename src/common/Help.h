#pragma once
// Online help: the report viewer's help page (the file named through
// ResManager::SetHelpFile, shipped as resources/help/viewer.html) opened at a
// help context through the host's help service (ui::Services::help(); the
// headless one opens a browser only when a display exists). The page carries
// one anchor per context number below.

#include <cstdint>

namespace qvc {

// Context numbers of the report viewer's help.
inline constexpr int32_t kHelpReportViewer = 1000;
inline constexpr int32_t kHelpPaging = 1010;
inline constexpr int32_t kHelpZoom = 1020;
inline constexpr int32_t kHelpSave = 1030;
inline constexpr int32_t kHelpPrint = 1040;

// Opens the calling thread's help file at `context` when the path names an
// existing file. A missing or empty path shows nothing and reports nothing;
// a failure of the help service is ignored as well.
void ShowHelp(int32_t context);

}  // namespace qvc
