#pragma once
// The download wizard: shown without blocking while the update's files download. The
// downloading page shows the current file (its address, size, rate, time left and a bar) and
// all files (a line and a bar); the finished page says so and its OK button restarts the
// program. Every close request of the system (Cancel, the close box, Alt+F4, Escape) asks
// first; the OK button of the finished page closes without a question.
#include <functional>
#include <string>

#include "ui/Dialog.h"
#include "ui/SystemControls.h"

namespace ui {

class TauAutoUpgraderWizardForm : public Dialog {
 public:
  // Control ids, for automation.
  enum : int {
    kPanel1Id = 401, kImage1Id, kWizardTitleId, kAfterNoteId, kLCurrentFileId, kLDownloadingFileFromId,
    kFileURLId, kLFileSizeId, kLTransferRateId, kLEstimatedTimeId, kProgressCurrentFileId, kLAllFilesId,
    kAllDownloadingId, kProgressAllFilesId, kBevel1Id, kAboutShadowId, kAboutLabelId, kFinishBtnId, kCancelBtnId
  };
  static constexpr int kClientWidth = 463, kClientHeight = 281;
  // The banner along the bottom edge.
  static constexpr const wchar_t* kBannerText = L"Tavorin Update";

  struct Look {
    bool hideFileLocation = false;
    bool stayOnTop = true;
    Picture sidePicture;  // empty: the wizard's own
  };

  // Builds the hidden window with the texts of the current language (the downloading page).
  TauAutoUpgraderWizardForm(HWND owner, Look look, Picture defaultPicture);

  // Asks whether to abort the update (Yes/No); true for Yes. Set by the owner of the form.
  std::function<bool()> ConfirmAbort;

  // The lines and bars of the downloading page.
  void SetLocation(const std::wstring& address);
  void SetOverall(int fileNumber, int fileCount);
  void SetFileSize(double kilobytes);
  void SetTransferRate(float kilobytesPerSecond);
  void SetTimeLeft(int hours, int minutes, int seconds);
  void SetBars(int currentFile, int allFiles);
  // Turns to the finished page; `note` is the finished text.
  void ShowFinishedPage(const std::wstring& note);
  bool OnFinishedPage() const { return finished_; }

  SunkenFrame Panel1;
  StretchedPicture Image1;
  TextLabel WizardTitle, AfterNote;
  GroupFrame LCurrentFile;
  TextLabel LDownloadingFileFrom;
  ReadOnlyLine FileURL;
  TextLabel LFileSize, LTransferRate, LEstimatedTime;
  ProgressBar ProgressCurrentFile;
  GroupFrame LAllFiles;
  TextLabel AllDownloading;
  ProgressBar ProgressAllFiles;
  EtchedLine Bevel1;
  TextLabel AboutShadow;
  EngravedLabel AboutLabel;
  PushButton FinishBtn, CancelBtn;

 private:
  void HideFileLocation();
  bool finished_ = false;
};

// The wizard heading's font: Times New Roman, 19 pixels, bold italic.
HFONT WizardTitleFont();

}  // namespace ui
