#pragma once
// Message boxes: the text, the Basic button/icon flags and the title in, the
// code of the button the person chose out.

#include <cstdint>
#include <string_view>
#include "qvc/ui/Export.h"

namespace qvc::ui {

namespace mb {
// Buttons (flags & 7)
inline constexpr int32_t kOkOnly = 0;
inline constexpr int32_t kOkCancel = 1;
inline constexpr int32_t kAbortRetryIgnore = 2;
inline constexpr int32_t kYesNoCancel = 3;
inline constexpr int32_t kYesNo = 4;
inline constexpr int32_t kRetryCancel = 5;
// Icons
inline constexpr int32_t kCritical = 16;
inline constexpr int32_t kQuestion = 32;
inline constexpr int32_t kExclamation = 48;
inline constexpr int32_t kInformation = 64;
// Default button
inline constexpr int32_t kDefaultButton2 = 256;
inline constexpr int32_t kDefaultButton3 = 512;
// Results
inline constexpr int32_t kOk = 1;
inline constexpr int32_t kCancel = 2;
inline constexpr int32_t kAbort = 3;
inline constexpr int32_t kRetry = 4;
inline constexpr int32_t kIgnore = 5;
inline constexpr int32_t kYes = 6;
inline constexpr int32_t kNo = 7;
}  // namespace mb

class QVC_UI_EXPORT MessageBox {
  public:
    virtual ~MessageBox() = default;
    // Shows the message and returns the chosen button (mb::kOk ...). Modal: returns
    // when the message has been dismissed.
    virtual int32_t show(std::string_view text, int32_t flags, std::string_view title) = 0;
};

}  // namespace qvc::ui
