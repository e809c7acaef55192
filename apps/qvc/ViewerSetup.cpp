#include "ViewerSetup.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>

#include "ProjectSession.h"
#include "ReportCommands.h"
#include "ViewerPluginApi.h"
#include "qvc/InstalledFiles.h"

namespace qvc::cli {

struct ViewerSetup::State {
    QvcViewerStopFn stop = nullptr;
};

namespace {

template <typename Fn>
Fn entry(void* handle, const char* name, const std::string& file) {
    void* symbol = dlsym(handle, name);
    if (symbol == nullptr)
        throw CommandError("the report viewer plug-in " + file + " lacks " + name +
                           "; it does not belong to this qvc");
    return reinterpret_cast<Fn>(symbol);
}

}  // namespace

std::string ViewerSetup::pluginFile() {
    if (const char* env = std::getenv("QVC_VIEWER_PLUGIN"); env != nullptr && env[0] != '\0')
        return env;
    return (std::filesystem::path(PluginDirectory()) / QVC_VIEWER_PLUGIN_FILE).string();
}

ViewerSetup::ViewerSetup(const ReportOptions& options) : state_(std::make_unique<State>()) {
    if (!options.view && !options.print)
        return;
    const std::string file = pluginFile();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        throw CommandError("the report viewer is not installed (" + file +
                           " is missing): --view and --print need it; without them "
                           "the reports are written into the --out folder");
    // The plug-in stays loaded until the process ends: Qt does not support being
    // unloaded.
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        throw CommandError(std::string("the report viewer cannot be loaded: ") + dlerror());
    const auto interface = entry<QvcViewerInterfaceFn>(handle, "qvcViewerInterface", file);
    if (interface() != QVC_VIEWER_PLUGIN_INTERFACE)
        throw CommandError("the report viewer plug-in " + file +
                           " was built for another version of qvc");
    const auto start = entry<QvcViewerStartFn>(handle, "qvcViewerStart", file);
    const auto stop = entry<QvcViewerStopFn>(handle, "qvcViewerStop", file);
    const QvcViewerRequest request{options.view ? 1 : 0, options.print ? 1 : 0,
                                   options.pdfFile.c_str()};
    char message[1024] = {};
    if (start(&request, message, sizeof message) != 0)
        throw CommandError(message);
    state_->stop = stop;
}

ViewerSetup::~ViewerSetup() {
    if (state_->stop != nullptr)
        state_->stop();
}

}  // namespace qvc::cli
