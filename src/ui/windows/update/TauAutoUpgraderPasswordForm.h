#pragma once
// The password dialog of a password-protected download: the question naming the file, an
// icon, and on a panel along the bottom the user name and password boxes with OK and Cancel.
// It exists only while it is shown.
#include <string>

#include "ui/Dialog.h"
#include "ui/Panel.h"
#include "ui/SystemControls.h"

namespace ui {

class TauAutoUpgraderPasswordForm : public Dialog {
 public:
  // Control ids, for automation.
  enum : int {
    kLabel1Id = 501, kImage1Id, kBottomPanelId, kUsernameLabId, kPasswordLabId, kUsernameEditId,
    kPasswordEditId, kOKBtnId, kCancelBtnId
  };
  static constexpr int kClientWidth = 297, kClientHeight = 141, kBottomPanelHeight = 98;

  // Builds the hidden window for `fileName` (UTF-8) with `userName` (ANSI, as the transfer
  // sends it) in its box.
  TauAutoUpgraderPasswordForm(HWND owner, const std::string& fileName, const std::string& userName, HICON icon);

  // Shows it modally. OK stores both boxes into `userName` and `password` and answers true;
  // Cancel, Escape and the close box answer false and leave both alone.
  bool Ask(std::string& userName, std::string& password);

  TextLabel Label1;
  IconView Image1;
  Panel BottomPanel;
  TextLabel UsernameLab, PasswordLab;
  LineEdit UsernameEdit, PasswordEdit;
  PushButton OKBtn, CancelBtn;
};

}  // namespace ui
