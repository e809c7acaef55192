#pragma once
// The C entry points of the report viewer plug-in. qvc loads the plug-in (and
// with it Qt) at run time only for --view and --print, so every other command
// starts without Qt. Plain C types only: the plug-in may be built apart from qvc.

#include <cstddef>

// Raised whenever the entry points below change.
#define QVC_VIEWER_PLUGIN_INTERFACE 1
// The plug-in's file in the component's plug-in folder.
#define QVC_VIEWER_PLUGIN_FILE "qvc-viewer.so"

extern "C" {

struct QvcViewerRequest {
    int view;             // show the reports in the viewer window
    int print;            // print them
    const char* pdfFile;  // with print: into this PDF file; empty: to the default printer
};

// QVC_VIEWER_PLUGIN_INTERFACE of the plug-in.
using QvcViewerInterfaceFn = int (*)();
// Starts Qt and installs the viewer or printer services of `request`. Returns 0,
// or another number with the reason in `message` (NUL-terminated, at most `size`
// bytes) and nothing left installed.
using QvcViewerStartFn = int (*)(const QvcViewerRequest* request, char* message, std::size_t size);
// Takes the services down again and ends Qt.
using QvcViewerStopFn = void (*)();
}
