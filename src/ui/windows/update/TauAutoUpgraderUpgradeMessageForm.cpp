#include "ui/windows/update/TauAutoUpgraderUpgradeMessageForm.h"

#include "ui/windows/update/UpgradeTexts.h"

namespace ui {

std::wstring TauAutoUpgraderUpgradeMessageForm::QuestionText(const std::string& applicationTitle,
                                                             const std::string& message) {
  // A message stands between two empty lines; without one a single empty line is left.
  const std::wstring wrapped = message.empty() ? std::wstring() : L"\n" + FromUtf8(message) + L"\n";
  return FillStrings(UpgradeText(23), {FromUtf8(applicationTitle), wrapped});
}

TauAutoUpgraderUpgradeMessageForm::TauAutoUpgraderUpgradeMessageForm(HWND owner, const std::string& applicationTitle,
                                                                     const std::string& message, HICON icon) {
  Options options;
  options.topmost = true;
  options.closeResult = kResultNo;  // the close box counts as Later
  Create(owner, UpgradeText(0), kClientWidth, kClientHeight, options);

  TextLabel::Options wrap;
  wrap.wordWrap = true;
  Label1.Create(hwnd_, kLabel1Id, 45, 5, 200, L"", wrap);
  Icon.Create(hwnd_, kIconId, 7, 5, 32, icon);
  Panel::Style face;
  face.background = GetSysColor(COLOR_BTNFACE);
  BottomPanel.Create(hwnd_, 0, kClientHeight - kBottomPanelHeight, kClientWidth, kBottomPanelHeight, {}, face);
  BottomPanel.SetId(kBottomPanelId);
  YesBtn.Create(BottomPanel.Handle(), kYesBtnId, 78, 13, 75, 23, UpgradeText(14));
  LaterBtn.Create(BottomPanel.Handle(), kLaterBtnId, 167, 13, 75, 23, UpgradeText(19));
  YesBtn.OnClick = [this] { EndDialog(kResultYes); };
  LaterBtn.OnClick = [this] { EndDialog(kResultNo); };
  SetDefaultButton(&YesBtn);
  SetCancelButton(&LaterBtn);

  // The label is as wide as the window allows; the window is as high as the label needs.
  RECT window;
  GetWindowRect(hwnd_, &window);
  Label1.SetWidth((window.right - window.left) - 45 - 11);
  Label1.SetLabelText(QuestionText(applicationTitle, message));
  const RECT label = Label1.Bounds();
  const int clientHeight = label.bottom + kBottomPanelHeight;
  SetClientSize(kClientWidth, clientHeight);
  BottomPanel.SetBounds(0, clientHeight - kBottomPanelHeight, kClientWidth, kBottomPanelHeight);
  CenterOnScreen();
}

bool TauAutoUpgraderUpgradeMessageForm::Ask() {
  // Above every other window, without taking the activation from anyone yet.
  SetTopmost(true);
  return ShowModal() == kResultYes;
}

}  // namespace ui
