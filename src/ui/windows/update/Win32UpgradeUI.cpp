#include "ui/windows/update/Win32UpgradeUI.h"

#include "ui/windows/ArtworkIds.h"
#include "ui/windows/update/TauAutoUpgraderPasswordForm.h"
#include "ui/windows/update/TauAutoUpgraderUpgradeMessageForm.h"
#include "ui/windows/update/TauAutoUpgraderWizardForm.h"
#include "ui/windows/update/UpgradeTexts.h"
#include "update/auLanguages.h"

namespace ui {
namespace {

constexpr UINT kYesNoQuestion = MB_YESNO | MB_ICONQUESTION;  // 36
constexpr UINT kYesNoWarning = MB_YESNO | MB_ICONWARNING;    // 52

// A picture resource named as FindResource names them ("#214" or a name).
Picture LoadNamedJpeg(HINSTANCE module, const std::string& name) {
  if (name.empty()) return {};
  const std::wstring wide = FromUtf8(name);
  HRSRC found = FindResourceW(module, wide.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  return data ? DecodeJpeg(data, SizeofResource(module, found)) : Picture{};
}

// Counts a running handler of the wizard, so the wizard object outlives it.
struct HandlerScope {
  explicit HandlerScope(int& depth) : depth_(depth) { ++depth_; }
  ~HandlerScope() { --depth_; }
  int& depth_;
};

}  // namespace

Win32UpgradeUI::Win32UpgradeUI(HWND owner, std::string applicationTitle, HINSTANCE resources)
    : owner_(owner), title_(std::move(applicationTitle)),
      resources_(resources ? resources : GetModuleHandleW(nullptr)) {}

Win32UpgradeUI::~Win32UpgradeUI() {
  link_ = nullptr;
  if (wizard_) wizard_->Destroy();
}

HWND Win32UpgradeUI::WizardWindow() const { return wizard_ ? wizard_->Handle() : nullptr; }

HWND Win32UpgradeUI::BoxOwner() const {
  HWND wizard = WizardWindow();
  return wizard && IsWindowVisible(wizard) ? wizard : owner_;
}

HICON Win32UpgradeUI::Icon(int id) {
  // Shared icons belong to the module: never destroyed by us.
  return static_cast<HICON>(LoadImageW(resources_, MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, LR_SHARED));
}

void Win32UpgradeUI::SelectLanguage(update::TauAutoUpgraderLanguage language) {
  update::SetCurrentLanguage(language);
}

bool Win32UpgradeUI::AskUpgrade(const std::string& message) {
  TauAutoUpgraderUpgradeMessageForm form(owner_, title_, message, Icon(IDI_UPDATE_QUESTION));
  return form.Ask();
}

int Win32UpgradeUI::ShowMessageBox(int textIndex, uint32_t flags, const std::string& argument) {
  const std::wstring text = FillStrings(UpgradeText(textIndex), {FromUtf8(argument)});
  return MessageBoxW(BoxOwner(), text.c_str(), UpgradeText(0).c_str(), flags);
}

bool Win32UpgradeUI::AskSkipLostFile(const std::string& fileName, int status) {
  const std::wstring text = FillStrings(UpgradeText(28), {FromUtf8(fileName)});
  const std::wstring caption = UpgradeText(21) + L" #" + std::to_wstring(status);
  return MessageBoxW(BoxOwner(), text.c_str(), caption.c_str(), kYesNoWarning) == IDYES;
}

void Win32UpgradeUI::ShowVerificationFailure(update::TauVerificationFailure kind, const std::string& fileName) {
  // Our own message, in English like its caption, whatever the language set.
  const std::wstring text = FromUtf8(update::VerificationFailureText(kind, fileName));
  MessageBoxW(BoxOwner(), text.c_str(), L"Application update wizard", MB_OK | MB_ICONERROR);
}

bool Win32UpgradeUI::PasswordDialog(const std::string& fileName, std::string& userName, std::string& password) {
  TauAutoUpgraderPasswordForm form(BoxOwner(), fileName, userName, Icon(IDI_UPDATE_PASSWORD));
  return form.Ask(userName, password);
}

void Win32UpgradeUI::OpenWizard(const update::TauWizardLook& look, update::TauWizardLink& link) {
  FreeRetired();
  link_ = &link;
  if (wizard_) return;  // one wizard at a time: the open one goes on
  TauAutoUpgraderWizardForm::Look wizardLook;
  wizardLook.hideFileLocation = look.HideFileLocation;
  wizardLook.stayOnTop = look.StayOnTop;
  wizardLook.sidePicture = LoadNamedJpeg(resources_, look.Pic118x218);
  wizard_ = std::make_unique<TauAutoUpgraderWizardForm>(owner_, std::move(wizardLook),
                                                        LoadJpegResource(resources_, IDJ_UPDATE_SIDE_DEFAULT));
  closeConfirmed_ = false;
  TauAutoUpgraderWizardForm* form = wizard_.get();
  form->ConfirmAbort = [this, form] {
    HandlerScope scope(handlerDepth_);
    const std::wstring text = UpgradeText(27);
    const bool yes = MessageBoxW(form->Handle(), text.c_str(), FromUtf8(title_).c_str(), kYesNoQuestion) == IDYES;
    // The wizard may have been closed while the question was up (the connection was lost).
    if (yes && wizard_.get() == form) closeConfirmed_ = true;
    return yes && wizard_.get() == form;
  };
  form->OnClosed = [this, form](int) {
    HandlerScope scope(handlerDepth_);
    if (wizard_.get() == form) WizardEnded();
  };
  form->ShowModeless();
}

// The wizard closed by a path of its own: it goes, then the component hears of it.
void Win32UpgradeUI::WizardEnded() {
  update::TauWizardLink* link = link_;
  const bool confirmed = closeConfirmed_;
  link_ = nullptr;
  closeConfirmed_ = false;
  RetireWizard();
  if (!link) return;
  link->WizardClosed();
  if (confirmed) link->WizardCloseConfirmed();
}

void Win32UpgradeUI::RetireWizard() {
  if (!wizard_) return;
  wizard_->Destroy();
  retired_.push_back(std::move(wizard_));
  FreeRetired();
}

void Win32UpgradeUI::FreeRetired() {
  if (handlerDepth_ == 0) retired_.clear();
}

void Win32UpgradeUI::WizardLocation(const std::string& address) {
  if (wizard_) wizard_->SetLocation(FromUtf8(address));
}

void Win32UpgradeUI::WizardOverall(int fileNumber, int fileCount) {
  if (wizard_) wizard_->SetOverall(fileNumber, fileCount);
}

void Win32UpgradeUI::WizardFileSize(double kilobytes) {
  if (wizard_) wizard_->SetFileSize(kilobytes);
}

void Win32UpgradeUI::WizardTransferRate(float kilobytesPerSecond) {
  if (wizard_) wizard_->SetTransferRate(kilobytesPerSecond);
}

void Win32UpgradeUI::WizardTimeLeft(int hours, int minutes, int seconds) {
  if (wizard_) wizard_->SetTimeLeft(hours, minutes, seconds);
}

void Win32UpgradeUI::WizardBars(uint8_t currentFile, uint8_t allFiles) {
  if (wizard_) wizard_->SetBars(currentFile, allFiles);
}

void Win32UpgradeUI::WizardFinishedPage() {
  if (wizard_) wizard_->ShowFinishedPage(FillStrings(UpgradeText(10), {FromUtf8(title_)}));
}

void Win32UpgradeUI::CloseWizard() {
  link_ = nullptr;
  closeConfirmed_ = false;
  RetireWizard();
}

}  // namespace ui
