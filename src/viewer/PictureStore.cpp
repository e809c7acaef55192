#include "PictureStore.h"

#include <algorithm>

namespace qvc::viewer {

std::shared_ptr<const QImage> PictureStore::image(const doc::Picture& picture) {
    auto it = images_.find(&picture);
    if (it != images_.end()) {
        return it->second;
    }
    QImage decoded;
    decoded.loadFromData(picture.png.data(), static_cast<int>(picture.png.size()), "PNG");
    if (decoded.isNull()) {
        decoded = QImage(std::max(1, picture.pixelWidth), std::max(1, picture.pixelHeight),
                         QImage::Format_RGB32);
        decoded.fill(QColor(230, 230, 230));
    }
    auto shared = std::make_shared<const QImage>(std::move(decoded));
    images_.emplace(&picture, shared);
    return shared;
}

}  // namespace qvc::viewer
