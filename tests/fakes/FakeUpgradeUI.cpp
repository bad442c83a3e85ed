#include "fakes/FakeUpgradeUI.h"

#include <cstdio>
#include <stdexcept>

void FakeUpgradeUI::Log(const std::string& kind, const std::string& entry) {
  log.push_back(entry);
  if (onShow) onShow(kind);
}

std::vector<std::string> FakeUpgradeUI::Lines(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const auto& line : log)
    if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
  return out;
}

bool FakeUpgradeUI::AskUpgrade(const std::string& message) {
  Log("ask", "ask: " + message);
  return askAnswer;
}

int FakeUpgradeUI::ShowMessageBox(int textIndex, uint32_t flags, const std::string& argument) {
  Log("box", "box " + std::to_string(textIndex) + "/" + std::to_string(flags) + (argument.empty() ? "" : ": " + argument));
  return 1;
}

bool FakeUpgradeUI::AskSkipLostFile(const std::string& fileName, int status) {
  bool yes = false;
  if (!lostFileAnswers.empty()) {
    yes = lostFileAnswers.front();
    lostFileAnswers.pop_front();
  }
  Log("lost", "lost: " + fileName + " Error #" + std::to_string(status) + (yes ? " yes" : " no"));
  return yes;
}

bool FakeUpgradeUI::PasswordDialog(const std::string& fileName, std::string& userName, std::string& password) {
  Log("password", "password: " + fileName + " user=" + userName);
  if (!passwordAnswer) return false;
  userName = typedUser;
  password = typedPassword;
  return true;
}

void FakeUpgradeUI::ShowVerificationFailure(update::TauVerificationFailure kind, const std::string& fileName) {
  Log("refused", "refused: " + update::VerificationFailureText(kind, fileName));
}

void FakeUpgradeUI::OpenWizard(const update::TauWizardLook& l, update::TauWizardLink& link) {
  if (wizardOpen) throw std::logic_error("the wizard is already open");
  wizardOpen = true;
  finishedPage = false;
  look = l;
  link_ = &link;
  Log("wizard", "wizard");
}

void FakeUpgradeUI::WizardLocation(const std::string& address) { Log("location", "location " + address); }

void FakeUpgradeUI::WizardOverall(int fileNumber, int fileCount) {
  Log("overall", "overall " + std::to_string(fileNumber) + "/" + std::to_string(fileCount));
}

void FakeUpgradeUI::WizardFileSize(double kilobytes) {
  char text[64];
  std::snprintf(text, sizeof text, "size %.1f", kilobytes);
  Log("size", text);
}

void FakeUpgradeUI::WizardTransferRate(float kilobytesPerSecond) {
  char text[64];
  std::snprintf(text, sizeof text, "rate %.1f", kilobytesPerSecond);
  Log("rate", text);
}

void FakeUpgradeUI::WizardTimeLeft(int hours, int minutes, int seconds) {
  char text[64];
  std::snprintf(text, sizeof text, "time %d:%.2d:%.2d", hours, minutes, seconds);
  Log("time", text);
}

void FakeUpgradeUI::WizardBars(uint8_t currentFile, uint8_t allFiles) {
  Log("bars", "bars " + std::to_string(currentFile) + "/" + std::to_string(allFiles));
}

void FakeUpgradeUI::WizardFinishedPage() {
  if (!wizardOpen) throw std::logic_error("finished page without a wizard");
  finishedPage = true;
  Log("finished", "finished");
}

void FakeUpgradeUI::CloseWizard() {
  if (!wizardOpen) throw std::logic_error("CloseWizard without a wizard");
  wizardOpen = false;
  link_ = nullptr;
  Log("close", "close");
}

void FakeUpgradeUI::PressFinish() {
  if (!wizardOpen || !finishedPage) throw std::logic_error("no finished page to press OK on");
  wizardOpen = false;
  auto* link = link_;
  link_ = nullptr;
  log.push_back("user: finish");
  link->WizardClosed();
}

void FakeUpgradeUI::ConfirmClose() {
  if (!wizardOpen) throw std::logic_error("no wizard to close");
  wizardOpen = false;
  auto* link = link_;
  link_ = nullptr;
  log.push_back("user: close confirmed");
  link->WizardClosed();
  link->WizardCloseConfirmed();
}
