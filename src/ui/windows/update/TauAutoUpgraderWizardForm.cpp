#include "ui/windows/update/TauAutoUpgraderWizardForm.h"

#include "ui/windows/update/UpgradeTexts.h"

namespace ui {

HFONT WizardTitleFont() {
  static HFONT font = [] {
    LOGFONTW lf{};
    lf.lfHeight = -19;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, L"Times New Roman", LF_FACESIZE);
    return CreateFontIndirectW(&lf);
  }();
  return font;
}

TauAutoUpgraderWizardForm::TauAutoUpgraderWizardForm(HWND owner, Look look, Picture defaultPicture) {
  Options options;
  options.topmost = look.stayOnTop;
  Create(owner, UpgradeText(0), kClientWidth, kClientHeight, options);

  Panel1.Create(hwnd_, kPanel1Id, 10, 10, 120, 220);
  Image1.Create(Panel1.Handle(), kImage1Id, 1, 1, 118, 218);
  Image1.SetPicture(look.sidePicture ? std::move(look.sidePicture) : std::move(defaultPicture));

  TextLabel::Options title;
  title.font = WizardTitleFont();
  WizardTitle.Create(hwnd_, kWizardTitleId, 136, 10, 0, UpgradeText(1), title);
  TextLabel::Options wrap;
  wrap.wordWrap = true;
  AfterNote.Create(hwnd_, kAfterNoteId, 136, 44, 319, L"", wrap);
  AfterNote.SetVisible(false);  // it lies where the current file's group is, until the end

  LCurrentFile.Create(hwnd_, kLCurrentFileId, 136, 34, 319, 125, L" " + UpgradeText(3) + L" ");
  HWND current = LCurrentFile.Handle();
  LDownloadingFileFrom.Create(current, kLDownloadingFileFromId, 6, 14, 0, UpgradeText(5));
  FileURL.Create(current, kFileURLId, 10, 28, 301, 13, GetSysColor(COLOR_HIGHLIGHT));
  LFileSize.Create(current, kLFileSizeId, 6, 44, 0, L"");
  LTransferRate.Create(current, kLTransferRateId, 6, 60, 0, L"");
  LEstimatedTime.Create(current, kLEstimatedTimeId, 6, 76, 0, UpgradeText(22));
  ProgressCurrentFile.Create(current, kProgressCurrentFileId, 6, 96, 307, 22);

  LAllFiles.Create(hwnd_, kLAllFilesId, 136, 162, 319, 67, L" " + UpgradeText(4) + L" ");
  AllDownloading.Create(LAllFiles.Handle(), kAllDownloadingId, 6, 16, 0, L"");
  ProgressAllFiles.Create(LAllFiles.Handle(), kProgressAllFilesId, 6, 38, 307, 22);

  // The banner lies across the line above the buttons, engraved: the copy in the highlight
  // colour beneath, and over it, one pixel up and left, the label in the shadow colour, which
  // paints both so that the look does not depend on the order the two are painted in.
  Bevel1.Create(hwnd_, kBevel1Id, 10, 238, 447);
  const std::wstring banner = std::wstring(L" ") + kBannerText + L" ";
  TextLabel::Options shadow;
  shadow.color = GetSysColor(COLOR_BTNHIGHLIGHT);
  AboutShadow.Create(hwnd_, kAboutShadowId, 31, 234, 0, banner, shadow);
  AboutLabel.Create(hwnd_, kAboutLabelId, 30, 233, banner);
  SetWindowPos(AboutLabel.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  FinishBtn.Create(hwnd_, kFinishBtnId, 296, 248, 75, 25, UpgradeText(18));
  FinishBtn.SetEnabled(false);
  CancelBtn.Create(hwnd_, kCancelBtnId, 380, 248, 75, 25, UpgradeText(17));
  SetDefaultButton(&CancelBtn);
  SetCancelButton(&CancelBtn);

  // Cancel is a close request like the close box; OK on the finished page is not.
  CancelBtn.OnClick = [this] { PostMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0); };
  FinishBtn.OnClick = [this] {
    if (finished_) EndDialog(kResultOk);
  };
  OnCloseRequest = [this] { return ConfirmAbort ? ConfirmAbort() : true; };

  if (look.hideFileLocation) HideFileLocation();
  CenterOnScreen();
}

void TauAutoUpgraderWizardForm::HideFileLocation() {
  FileURL.SetVisible(false);
  LDownloadingFileFrom.SetVisible(false);
  const int fileSizeTop = LDownloadingFileFrom.Bounds().top;
  LFileSize.MoveTo(6, fileSizeTop);
  LTransferRate.MoveTo(6, fileSizeTop + 16);
  LEstimatedTime.MoveTo(6, fileSizeTop + 32);
  ProgressCurrentFile.SetBounds(6, fileSizeTop + 52, 307, 22);
  LCurrentFile.SetBounds(136, 34 + 10, 319, 125 - 30);
}

void TauAutoUpgraderWizardForm::SetLocation(const std::wstring& address) { SetWideText(FileURL.Handle(), address); }

void TauAutoUpgraderWizardForm::SetOverall(int fileNumber, int fileCount) {
  AllDownloading.SetLabelText(FillNumbers(UpgradeText(9), fileNumber, fileCount));
}

void TauAutoUpgraderWizardForm::SetFileSize(double kilobytes) {
  LFileSize.SetLabelText(FillNumbers(UpgradeText(6), kilobytes));
}

void TauAutoUpgraderWizardForm::SetTransferRate(float kilobytesPerSecond) {
  LTransferRate.SetLabelText(FillNumbers(UpgradeText(7), static_cast<double>(kilobytesPerSecond)));
}

void TauAutoUpgraderWizardForm::SetTimeLeft(int hours, int minutes, int seconds) {
  LEstimatedTime.SetLabelText(FillNumbers(UpgradeText(8), hours, minutes, seconds));
}

void TauAutoUpgraderWizardForm::SetBars(int currentFile, int allFiles) {
  ProgressCurrentFile.SetPosition(currentFile);
  ProgressAllFiles.SetPosition(allFiles);
}

void TauAutoUpgraderWizardForm::ShowFinishedPage(const std::wstring& note) {
  finished_ = true;
  WizardTitle.SetLabelText(UpgradeText(2));
  AfterNote.SetLabelText(note);
  AfterNote.SetVisible(true);
  LCurrentFile.SetVisible(false);
  LAllFiles.SetVisible(false);
  CancelBtn.SetEnabled(false);
  SetWideText(FinishBtn.Handle(), UpgradeText(16));
  FinishBtn.SetEnabled(true);
  SetDefaultButton(&FinishBtn);
  SetFocus(FinishBtn.Handle());
}

}  // namespace ui
