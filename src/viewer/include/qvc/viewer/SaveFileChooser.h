#pragma once
// The "save as" dialog of the report viewer, behind an interface so that the
// window can be driven without a real dialog.

#include <QString>
#include <QStringList>
#include <optional>

#include "qvc/viewer/Export.h"

class QWidget;

namespace qvc::viewer {

struct SaveFileRequest {
    QString title;
    QStringList filters;  // Qt filter texts, the first one selected
    QString fileName;     // proposed name
    QString folder;       // start folder; empty = the dialog's own choice
};

class QVC_VIEWER_EXPORT SaveFileChooser {
  public:
    virtual ~SaveFileChooser() = default;
    // The chosen path, or none when the person cancelled.
    virtual std::optional<QString> choose(QWidget* parent, const SaveFileRequest& request) = 0;
};

// The Qt file dialog: asks before overwriting, needs an existing folder, adds
// ".rtf" when the name has no suffix and the report filter is selected.
class QVC_VIEWER_EXPORT DialogSaveFileChooser : public SaveFileChooser {
  public:
    std::optional<QString> choose(QWidget* parent, const SaveFileRequest& request) override;
};

}  // namespace qvc::viewer
