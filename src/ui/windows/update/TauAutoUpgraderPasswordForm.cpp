#include "ui/windows/update/TauAutoUpgraderPasswordForm.h"

#include "platform/win32/Win32System.h"
#include "ui/windows/update/UpgradeTexts.h"

namespace ui {

TauAutoUpgraderPasswordForm::TauAutoUpgraderPasswordForm(HWND owner, const std::string& fileName,
                                                         const std::string& userName, HICON icon) {
  Create(owner, UpgradeText(11), kClientWidth, kClientHeight);

  TextLabel::Options wrap;
  wrap.wordWrap = true;
  Label1.Create(hwnd_, kLabel1Id, 45, 5, 246, FillStrings(UpgradeText(29), {FromUtf8(fileName)}), wrap);
  Image1.Create(hwnd_, kImage1Id, 7, 5, 32, icon);

  Panel::Style face;
  face.background = GetSysColor(COLOR_BTNFACE);
  BottomPanel.Create(hwnd_, 0, kClientHeight - kBottomPanelHeight, kClientWidth, kBottomPanelHeight, {}, face);
  BottomPanel.SetId(kBottomPanelId);
  HWND panel = BottomPanel.Handle();
  UsernameLab.Create(panel, kUsernameLabId, 45, 14, 0, UpgradeText(12));
  PasswordLab.Create(panel, kPasswordLabId, 45, 38, 0, UpgradeText(13));
  UsernameEdit.Create(panel, kUsernameEditId, 122, 10, 157, 21);
  PasswordEdit.Create(panel, kPasswordEditId, 122, 34, 157, 21, /*password=*/true);
  OKBtn.Create(panel, kOKBtnId, 114, 68, 75, 23, UpgradeText(16));
  CancelBtn.Create(panel, kCancelBtnId, 204, 68, 75, 23, UpgradeText(17));
  SetWideText(UsernameEdit.Handle(), platform::Widen(userName));
  OKBtn.OnClick = [this] { EndDialog(kResultOk); };
  CancelBtn.OnClick = [this] { EndDialog(kResultCancel); };
  SetDefaultButton(&OKBtn);
  SetCancelButton(&CancelBtn);
  SetInitialFocus(userName.empty() ? &UsernameEdit : &PasswordEdit);

  const int clientHeight = Label1.Bounds().bottom + kBottomPanelHeight;
  SetClientSize(kClientWidth, clientHeight);
  BottomPanel.SetBounds(0, clientHeight - kBottomPanelHeight, kClientWidth, kBottomPanelHeight);
  CenterOnScreen();
}

bool TauAutoUpgraderPasswordForm::Ask(std::string& userName, std::string& password) {
  if (ShowModal() != kResultOk) return false;
  userName = platform::Narrow(WideText(UsernameEdit.Handle()));
  password = platform::Narrow(WideText(PasswordEdit.Handle()));
  return true;
}

}  // namespace ui
