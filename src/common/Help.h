#pragma once
// Online help: the report viewer's help page (the file named through
// ResManager::SetHelpFile, shipped as resources/help/viewer.html) opened at the
// anchor named after a help context number.
//
// Until the host installs a help opener, help opens through xdg-open, and only
// when a graphical session is present (DISPLAY or WAYLAND_DISPLAY set); on a
// headless run nothing happens.

#include <cstdint>
#include <functional>
#include <string>

namespace qvc {

// Context numbers of the report viewer's help; each is an anchor of the page.
inline constexpr int32_t kHelpReportViewer = 1000;
inline constexpr int32_t kHelpPaging = 1010;
inline constexpr int32_t kHelpZoom = 1020;
inline constexpr int32_t kHelpSave = 1030;
inline constexpr int32_t kHelpPrint = 1040;

// Opens `helpFile` (an existing file) at `context`. Its failures are ignored.
using HelpOpener = std::function<void(const std::string& helpFile, int32_t context)>;

// Installs the opener for the whole process (call before any thread shows
// help); an empty function restores the default.
void setHelpOpener(HelpOpener opener);

// Opens the thread's help file at `context` when the path names an existing
// file; a missing or empty path shows nothing and reports nothing.
void ShowHelp(int32_t context);

// "file://" URL of `helpFile` (made absolute, percent-encoded) with the anchor
// "#<context>".
std::string helpUrl(const std::string& helpFile, int32_t context);

}  // namespace qvc
