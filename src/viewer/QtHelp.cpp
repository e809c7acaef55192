#include "qvc/viewer/QtHelp.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace qvc::viewer {

QUrl QtHelp::address(const std::string& file, int32_t context) {
    QUrl url = QUrl::fromLocalFile(QFileInfo(QString::fromStdString(file)).absoluteFilePath());
    url.setFragment(QStringLiteral("ctx-%1").arg(context));
    return url;
}

void QtHelp::open(const std::string& file, int32_t context) {
    if (file.empty()) {
        return;
    }
    QDesktopServices::openUrl(address(file, context));
}

}  // namespace qvc::viewer
