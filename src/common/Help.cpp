#include "common/Help.h"

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/ThreadState.h"

namespace qvc {

namespace {

HelpOpener& installedOpener() {
    static HelpOpener opener;
    return opener;
}

bool graphicalSession() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x != nullptr && *x != '\0') || (wayland != nullptr && *wayland != '\0');
}

// Runs xdg-open detached (the grandchild is adopted by init), so the caller
// never waits for the browser.
void openWithXdgOpen(const std::string& helpFile, int32_t context) {
    if (!graphicalSession())
        return;
    const std::string url = helpUrl(helpFile, context);
    char program[] = "xdg-open";
    char* argv[] = {program, const_cast<char*>(url.c_str()), nullptr};
    pid_t child = fork();
    if (child < 0)
        return;
    if (child == 0) {
        if (fork() == 0) {
            execvp(program, argv);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

}  // namespace

void setHelpOpener(HelpOpener opener) {
    installedOpener() = std::move(opener);
}

void ShowHelp(int32_t context) {
    const std::string& helpFile = threadState().gHelpFile;
    std::error_code ec;
    if (helpFile.empty() || !std::filesystem::is_regular_file(helpFile, ec))
        return;
    try {
        if (installedOpener())
            installedOpener()(helpFile, context);
        else
            openWithXdgOpen(helpFile, context);
    } catch (...) {
        // Like the help viewer's result, an opener's failure is not reported.
    }
}

std::string helpUrl(const std::string& helpFile, int32_t context) {
    static const char* hex = "0123456789ABCDEF";
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(helpFile, ec);
    const std::string path = ec ? helpFile : absolute.string();
    std::string url = "file://";
    for (unsigned char c : path) {
        bool ascii = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (ascii || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url + "#" + std::to_string(context);
}

}  // namespace qvc
