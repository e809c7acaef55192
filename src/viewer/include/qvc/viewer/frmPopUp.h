#pragma once
// The small progress window shown while the reports are built: a status label
// (lblText) and a bar from 0 to 100 (pbBar). It has no behaviour of its own; the
// builder sets the caption, label and bar and refreshes it between steps.

#include <QWidget>

#include "qvc/viewer/Export.h"

class QLabel;
class QProgressBar;

namespace qvc::viewer {

class QVC_VIEWER_EXPORT frmPopUp : public QWidget {
    Q_OBJECT
  public:
    explicit frmPopUp(QWidget* parent = nullptr);

    QLabel* lblText = nullptr;
    QProgressBar* pbBar = nullptr;
};

}  // namespace qvc::viewer
