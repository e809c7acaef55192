#include "ChartDrawingFonts.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <array>
#include <filesystem>

namespace qvc::graph::detail {

namespace {

// Where distributions install Liberation Sans, in the order searched.
constexpr std::array<const char*, 4> kLiberationFolders = {
    "/usr/share/fonts/truetype/liberation",
    "/usr/share/fonts/truetype/liberation2",
    "/usr/share/fonts/liberation-sans",
    "/usr/share/fonts/TTF",
};

bool drawnWithLiberationSans(const std::string& family) {
    return strcasecmp(family.c_str(), "Arial") == 0 ||
           strcasecmp(family.c_str(), "Liberation Sans") == 0;
}

std::string liberationSansFile(bool bold) {
    const char* name = bold ? "LiberationSans-Bold.ttf" : "LiberationSans-Regular.ttf";
    for (const char* folder : kLiberationFolders) {
        std::filesystem::path file = std::filesystem::path(folder) / name;
        std::error_code error;
        if (std::filesystem::is_regular_file(file, error)) {
            return file.string();
        }
    }
    return {};
}

// A resolved pattern: the file and the rendering options fontconfig's stock
// configuration adds for it. cairo reads the options from the pattern and does
// not consult fontconfig again.
cairo_font_face_t* faceForFile(const std::string& file) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return nullptr;
    }
    FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(file.c_str()));
    FcPatternAddInteger(pattern, FC_INDEX, 0);
    FcPatternAddBool(pattern, FC_ANTIALIAS, FcTrue);
    FcPatternAddBool(pattern, FC_HINTING, FcTrue);
    FcPatternAddInteger(pattern, FC_HINT_STYLE, FC_HINT_SLIGHT);
    FcPatternAddBool(pattern, FC_AUTOHINT, FcFalse);
    FcPatternAddBool(pattern, FC_EMBEDDED_BITMAP, FcTrue);
    FcPatternAddInteger(pattern, FC_LCD_FILTER, FC_LCD_DEFAULT);
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(pattern);
    FcPatternDestroy(pattern);
    if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(face);
        return nullptr;
    }
    return face;
}

cairo_font_face_t* liberationSans(bool bold) {
    const std::string file = liberationSansFile(bold);
    return file.empty() ? nullptr : faceForFile(file);
}

}  // namespace

cairo_font_face_t* ChartDrawingFonts::face(const std::string& family, bool bold) {
    if (!drawnWithLiberationSans(family)) {
        return nullptr;
    }
    // Made once per process; the module is never unloaded.
    static cairo_font_face_t* const regular = liberationSans(false);
    static cairo_font_face_t* const boldFace = liberationSans(true);
    return bold ? boldFace : regular;
}

}  // namespace qvc::graph::detail
