#pragma once
// Message boxes with QMessageBox: the buttons, icon and default button come from
// the Basic flags, the title as passed (the application's name when empty).
// Escape chooses Cancel (or No, or the only button).

#include <QMessageBox>

#include "qvc/ui/MessageBox.h"
#include "qvc/viewer/Export.h"

namespace qvc::viewer {

class QVC_VIEWER_EXPORT QtMessageBox : public ui::MessageBox {
  public:
    int32_t show(std::string_view text, int32_t flags, std::string_view title) override;

    // Sets up `box` as show() does, without running it.
    static void prepare(QMessageBox& box, std::string_view text, int32_t flags,
                        std::string_view title);
    // The Basic result code of a standard button.
    static int32_t resultOf(QMessageBox::StandardButton button);
};

}  // namespace qvc::viewer
