#include "ChartDrawingModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::graph::detail {

namespace {

namespace fs = std::filesystem;

// The module sits beside this library: lib/ in the build tree,
// lib/qvcomponents/ when installed.
fs::path modulePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ChartDrawingModule::instance), &info) == 0 ||
        info.dli_fname == nullptr) {
        return kDrawingModuleFile;
    }
    std::error_code ec;
    const fs::path library = fs::weakly_canonical(fs::absolute(info.dli_fname, ec), ec);
    return ec ? fs::path(kDrawingModuleFile) : library.parent_path() / kDrawingModuleFile;
}

[[noreturn]] void cannotLoad(const fs::path& file, const char* why) {
    throw rt::Error(rt::err::kFileNotFound, "Cannot load the chart drawing module " +
                                                file.string() + ": " + (why ? why : "unknown"));
}

}  // namespace

ChartDrawingModule::ChartDrawingModule() {
    const fs::path file = modulePath();
    // Never unloaded: cairo and fontconfig keep caches for the process.
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        cannotLoad(file, dlerror());
    }
    entry_ = reinterpret_cast<DrawChartEntry>(dlsym(handle, kDrawChartEntryName));
    if (entry_ == nullptr) {
        cannotLoad(file, dlerror());
    }
}

const ChartDrawingModule& ChartDrawingModule::instance() {
    // A failed load throws out of the initialisation, so the next chart tries again.
    static const ChartDrawingModule module;
    return module;
}

Image ChartDrawingModule::draw(const Chart& chart) const {
    Image image;
    entry_(&chart, &image);
    return image;
}

}  // namespace qvc::graph::detail
