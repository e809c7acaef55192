#pragma once
// The document view of the report viewer window (the control named Toc1): shows
// the active report document of the attached DocumentObject page below page, at
// the zoom the DocumentObject asks for, and prints through the printing service.
// While redrawing is switched off (SetRedraw(false) during a build) activations
// are remembered and shown when it is switched on again.

#include <QScrollArea>

#include "qvc/document/DocumentHost.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/viewer/Export.h"
#include "qvc/viewer/PageLayout.h"

namespace qvc::viewer {

class PagesCanvas;

class QVC_VIEWER_EXPORT DocumentView : public QScrollArea, public doc::DocumentHost {
    Q_OBJECT
  public:
    explicit DocumentView(QWidget* parent = nullptr);

    // Shows document `index` (1-based) of `docs`; 0 or a null `docs` shows nothing.
    void showDocument(const doc::DocumentObject* docs, int32_t index);
    void setZoom(int percent);
    int zoom() const { return zoom_; }
    int32_t displayedIndex() const { return index_; }
    const LaidOutDocument& pages() const { return layout_; }
    // Device pixels per point at the current zoom.
    double scale() const;

    // DocumentHost
    void documentActivated(const doc::DocumentObject& docs, int32_t index) override;
    void zoomChanged(int16_t percent) override;
    void redrawChanged(bool on) override;
    void printDocument(const doc::DocumentObject& docs, int32_t index, bool showDialog) override;

  private:
    void refresh();

    PagesCanvas* canvas_;
    const doc::DocumentObject* docs_ = nullptr;
    int32_t index_ = 0;
    int zoom_ = 100;
    bool redraw_ = true;
    bool pending_ = false;
    LaidOutDocument layout_;
};

}  // namespace qvc::viewer
