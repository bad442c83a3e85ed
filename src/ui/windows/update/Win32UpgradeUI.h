#pragma once
// The update component's windows and message boxes on Windows: the upgrade question, the
// download wizard, the password dialog and the component's boxes, with the texts of the
// current language set.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "update/auUpgradeUI.h"

namespace ui {

class TauAutoUpgraderWizardForm;

class Win32UpgradeUI : public update::TauUpgradeUI {
 public:
  // `owner` (may be null) owns the question, the password dialog and the boxes, and is
  // disabled while they are up. `applicationTitle` (UTF-8) is the program's title in the
  // texts and the caption of the close confirmation. Pictures and icons come from the
  // resources of `resources` (null: the program's own).
  Win32UpgradeUI(HWND owner, std::string applicationTitle, HINSTANCE resources = nullptr);
  ~Win32UpgradeUI() override;
  Win32UpgradeUI(const Win32UpgradeUI&) = delete;
  Win32UpgradeUI& operator=(const Win32UpgradeUI&) = delete;

  void SetOwner(HWND owner) { owner_ = owner; }
  // The open wizard's window, or null.
  HWND WizardWindow() const;
  TauAutoUpgraderWizardForm* Wizard() const { return wizard_.get(); }

  void SelectLanguage(update::TauAutoUpgraderLanguage language) override;
  bool AskUpgrade(const std::string& message) override;
  int ShowMessageBox(int textIndex, uint32_t flags, const std::string& argument = "") override;
  bool AskSkipLostFile(const std::string& fileName, int status) override;
  bool PasswordDialog(const std::string& fileName, std::string& userName, std::string& password) override;
  void ShowVerificationFailure(update::TauVerificationFailure kind, const std::string& fileName) override;
  void OpenWizard(const update::TauWizardLook& look, update::TauWizardLink& link) override;
  void WizardLocation(const std::string& address) override;
  void WizardOverall(int fileNumber, int fileCount) override;
  void WizardFileSize(double kilobytes) override;
  void WizardTransferRate(float kilobytesPerSecond) override;
  void WizardTimeLeft(int hours, int minutes, int seconds) override;
  void WizardBars(uint8_t currentFile, uint8_t allFiles) override;
  void WizardFinishedPage() override;
  void CloseWizard() override;

 private:
  // The window the boxes belong to: the wizard while it is open (it may be topmost), else
  // the owner.
  HWND BoxOwner() const;
  HICON Icon(int id);
  void WizardEnded();
  // Lets go of the wizard window; the object is freed once none of its handlers runs.
  void RetireWizard();
  void FreeRetired();

  HWND owner_;
  std::string title_;
  HINSTANCE resources_;
  std::unique_ptr<TauAutoUpgraderWizardForm> wizard_;
  std::vector<std::unique_ptr<TauAutoUpgraderWizardForm>> retired_;
  update::TauWizardLink* link_ = nullptr;
  bool closeConfirmed_ = false;
  int handlerDepth_ = 0;
};

}  // namespace ui
