#include "qvc/viewer/QtMessageBox.h"

#include <QCoreApplication>
#include <QPushButton>
#include <vector>

namespace qvc::viewer {

namespace {

using SB = QMessageBox::StandardButton;

std::vector<SB> buttonsOf(int32_t flags) {
    switch (flags & 7) {
        case ui::mb::kOkCancel:
            return {SB::Ok, SB::Cancel};
        case ui::mb::kAbortRetryIgnore:
            return {SB::Abort, SB::Retry, SB::Ignore};
        case ui::mb::kYesNoCancel:
            return {SB::Yes, SB::No, SB::Cancel};
        case ui::mb::kYesNo:
            return {SB::Yes, SB::No};
        case ui::mb::kRetryCancel:
            return {SB::Retry, SB::Cancel};
        default:
            return {SB::Ok};
    }
}

QMessageBox::Icon iconOf(int32_t flags) {
    switch (flags & 0x70) {
        case ui::mb::kCritical:
            return QMessageBox::Critical;
        case ui::mb::kQuestion:
            return QMessageBox::Question;
        case ui::mb::kExclamation:
            return QMessageBox::Warning;
        case ui::mb::kInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QString fromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

void QtMessageBox::prepare(QMessageBox& box, std::string_view text, int32_t flags,
                           std::string_view title) {
    box.setText(fromUtf8(text));
    box.setWindowTitle(title.empty() ? QCoreApplication::applicationName() : fromUtf8(title));
    box.setIcon(iconOf(flags));
    const std::vector<SB> buttons = buttonsOf(flags);
    QMessageBox::StandardButtons set;
    for (SB b : buttons) {
        set |= b;
    }
    box.setStandardButtons(set);
    size_t wanted =
        (flags & ui::mb::kDefaultButton3) ? 2 : ((flags & ui::mb::kDefaultButton2) ? 1 : 0);
    box.setDefaultButton(buttons[std::min(wanted, buttons.size() - 1)]);
    SB escape = buttons.size() == 1 ? buttons.front() : SB::NoButton;
    for (SB b : buttons) {
        if (b == SB::Cancel || (b == SB::No && escape == SB::NoButton)) {
            escape = b;
        }
    }
    if (escape != SB::NoButton) {
        box.setEscapeButton(escape);
    }
}

int32_t QtMessageBox::resultOf(QMessageBox::StandardButton button) {
    switch (button) {
        case SB::Cancel:
            return ui::mb::kCancel;
        case SB::Abort:
            return ui::mb::kAbort;
        case SB::Retry:
            return ui::mb::kRetry;
        case SB::Ignore:
            return ui::mb::kIgnore;
        case SB::Yes:
            return ui::mb::kYes;
        case SB::No:
            return ui::mb::kNo;
        default:
            return ui::mb::kOk;
    }
}

int32_t QtMessageBox::show(std::string_view text, int32_t flags, std::string_view title) {
    QMessageBox box;
    prepare(box, text, flags, title);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    SB chosen = clicked ? box.standardButton(clicked) : SB::NoButton;
    if (chosen == SB::NoButton) {
        chosen = box.standardButton(box.escapeButton() ? box.escapeButton() : box.defaultButton());
    }
    return resultOf(chosen);
}

}  // namespace qvc::viewer
