#pragma once
// The update component's windows for native tests: every question, box, wizard line and
// page is recorded as one line of text ("ask: <message>", "box 26/16: http://host",
// "overall 1/3"); answers are scripted, and the test can close the wizard the ways a user
// can (its OK button, a confirmed close request).
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "update/auUpgradeUI.h"

class FakeUpgradeUI : public update::TauUpgradeUI {
 public:
  std::vector<std::string> log;
  bool askAnswer = true;                 // Yes on the upgrade question
  std::deque<bool> lostFileAnswers;      // Yes/No per lost-file box; No when empty
  bool passwordAnswer = true;            // OK on the password dialog
  std::string typedUser = "user", typedPassword = "secret";
  std::vector<update::TauAutoUpgraderLanguage> languages;  // every SelectLanguage
  bool wizardOpen = false;
  bool finishedPage = false;
  update::TauWizardLook look;
  // Runs after the named kind of entry was logged ("ask", "box", "lost", "password",
  // "finished", ...), with the entry; lets a test act while the window is up.
  std::function<void(const std::string& kind)> onShow;

  // The user closes the wizard: the finished page's OK button ...
  void PressFinish();
  // ... or a close request answered with Yes.
  void ConfirmClose();

  // Lines of the log that start with `prefix`.
  std::vector<std::string> Lines(const std::string& prefix) const;

  void SelectLanguage(update::TauAutoUpgraderLanguage language) override { languages.push_back(language); }
  bool AskUpgrade(const std::string& message) override;
  int ShowMessageBox(int textIndex, uint32_t flags, const std::string& argument) override;
  bool AskSkipLostFile(const std::string& fileName, int status) override;
  bool PasswordDialog(const std::string& fileName, std::string& userName, std::string& password) override;
  // Logged as "refused: <the message>".
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
  void Log(const std::string& kind, const std::string& entry);
  update::TauWizardLink* link_ = nullptr;
};
