#include "ViewerTestSupport.h"

#include <gtest/gtest.h>

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <QApplication>
#include <fstream>
#include <memory>
#include <sstream>

namespace qvc::test {

std::filesystem::path freshViewerDir(const std::string& name) {
    std::filesystem::path dir = std::filesystem::path(QVC_TEST_OUTPUT_DIR) / "viewer" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app_ = std::make_unique<QApplication>(argc_, argv_);
        QApplication::setApplicationName(QStringLiteral("QVComponents"));
    }
    // Qt goes first; then the font caches that cairo (the charts) and Qt filled
    // are dropped, so the leak checker sees only what the tests themselves leave.
    void TearDown() override {
        app_.reset();
        cairo_debug_reset_static_data();
        FcFini();
    }

  private:
    int argc_ = 1;
    char name_[16] = "viewer_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

}  // namespace qvc::test
