#pragma once
// The upgrade question: a newer version exists, update now or later. A dialog with an icon,
// the question (which wraps, and grows the window downwards when it is long) and the Yes and
// Later buttons on a panel along the bottom. It is topmost and exists only while it is shown.
#include <string>

#include "ui/Dialog.h"
#include "ui/Panel.h"
#include "ui/SystemControls.h"

namespace ui {

class TauAutoUpgraderUpgradeMessageForm : public Dialog {
 public:
  // Control ids, for automation.
  enum : int { kLabel1Id = 301, kIconId = 302, kBottomPanelId = 303, kYesBtnId = 304, kLaterBtnId = 305 };
  static constexpr int kClientWidth = 318, kClientHeight = 119, kBottomPanelHeight = 45;

  // Builds the hidden window for `message` (UTF-8; may be empty) about `applicationTitle`.
  TauAutoUpgraderUpgradeMessageForm(HWND owner, const std::string& applicationTitle, const std::string& message,
                                    HICON icon);

  // Shows it modally; true exactly when it closed with Yes (Yes button or Enter).
  bool Ask();

  // The question as shown: text 23 around the message.
  static std::wstring QuestionText(const std::string& applicationTitle, const std::string& message);

  TextLabel Label1;
  IconView Icon;
  Panel BottomPanel;
  PushButton YesBtn, LaterBtn;
};

}  // namespace ui
