#pragma once
// Decodes each picture of a document once; the pages share the decoded image.

#include <QImage>
#include <map>
#include <memory>

#include "qvc/document/Model.h"

namespace qvc::viewer {

class PictureStore {
  public:
    // The decoded picture; an undecodable one gives a light grey placeholder of
    // its pixel size, so a damaged picture never stops the report from showing.
    std::shared_ptr<const QImage> image(const doc::Picture& picture);

  private:
    std::map<const doc::Picture*, std::shared_ptr<const QImage>> images_;
};

}  // namespace qvc::viewer
