#pragma once
// The scrolled surface of the document view: the pages one below the other,
// centred, on a grey desk.

#include <QWidget>

#include "qvc/viewer/PageLayout.h"

namespace qvc::viewer {

class PagesCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit PagesCanvas(QWidget* parent = nullptr);
    // `pages` must stay alive while shown; `scale` is device pixels per point.
    void setPages(const LaidOutDocument* pages, double scale);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSize contentSize() const;
    const LaidOutDocument* pages_ = nullptr;
    double scale_ = 1.0;
};

}  // namespace qvc::viewer
