#pragma once
// What the update component shows the user: the upgrade question, the download wizard,
// the password dialog and its message boxes. The component decides what is shown and
// with which values; the windows behind this seam own the texts of the current language
// set (looked up by text index) and format the values into them, so every text stays in
// one place and in the language the user chose.
#include <cstdint>
#include <string>

#include "update/VerificationTexts.h"
#include "update/auLanguageEnum.h"

namespace update {

// Text indexes of the language sets that the component asks for by number.
namespace upgrade_text {
constexpr int kNoUpdateAvailable = 24;  // information icon
constexpr int kNoInfoFile = 25;         // error icon
constexpr int kHostUnreachable = 26;    // error icon; argument: "http://" + host name
constexpr int kConnectionLost = 30;     // error icon
}  // namespace upgrade_text

// Message box flags, numbered as the system numbers them.
namespace upgrade_box {
constexpr uint32_t kIconError = 16;
constexpr uint32_t kIconInformation = 64;
}  // namespace upgrade_box

// How the wizard looks; read when it opens.
struct TauWizardLook {
  bool HideFileLocation = false;
  bool StayOnTop = true;
  std::string Pic118x218;  // side picture as a resource name; empty: the wizard's own picture
};

// The component's side of an open wizard.
class TauWizardLink {
 public:
  virtual ~TauWizardLink() = default;
  // The wizard window closed by any path of its own (the finished page's OK button, a
  // confirmed close request) and is gone.
  virtual void WizardClosed() = 0;
  // A close request (Cancel, the close box, Alt+F4) was confirmed with Yes; called after
  // WizardClosed.
  virtual void WizardCloseConfirmed() = 0;
};

class TauUpgradeUI {
 public:
  virtual ~TauUpgradeUI() = default;

  // Makes `language` the process-wide language of every component's texts (wlAuto: the
  // system's language).
  virtual void SelectLanguage(TauAutoUpgraderLanguage language) = 0;

  // The upgrade question (text 23 around `message`); true for Yes, false for Later,
  // Escape or the close box.
  virtual bool AskUpgrade(const std::string& message) = 0;

  // A box with text `textIndex` (formatted with `argument` where it has a "%s"), the
  // caption text 0 and the system's `flags`; returns the system's answer (IDOK = 1).
  virtual int ShowMessageBox(int textIndex, uint32_t flags, const std::string& argument = "") = 0;

  // The lost-file box: text 28 with `fileName`, caption "Error #<status>", Yes/No with the
  // warning icon; true for Yes.
  virtual bool AskSkipLostFile(const std::string& fileName, int status) = 0;

  // A box of the program's own with the error icon and the caption "Application update
  // wizard": why the update was refused (VerificationFailureText of `kind` and `fileName`).
  virtual void ShowVerificationFailure(TauVerificationFailure kind, const std::string& fileName) = 0;

  // The password dialog (text 29 with `fileName`). `userName` fills the user-name edit;
  // OK stores both edits into `userName` and `password` and answers true, Cancel answers
  // false and leaves both alone.
  virtual bool PasswordDialog(const std::string& fileName, std::string& userName, std::string& password) = 0;

  // The download wizard, shown without blocking. `link` is told when it closes.
  virtual void OpenWizard(const TauWizardLook& look, TauWizardLink& link) = 0;
  // Its lines (each with its text index) and bars, while the wizard is open.
  virtual void WizardLocation(const std::string& address) = 0;              // FileURL
  virtual void WizardOverall(int fileNumber, int fileCount) = 0;            // text 9
  virtual void WizardFileSize(double kilobytes) = 0;                        // text 6
  virtual void WizardTransferRate(float kilobytesPerSecond) = 0;            // text 7
  virtual void WizardTimeLeft(int hours, int minutes, int seconds) = 0;     // text 8
  virtual void WizardBars(uint8_t currentFile, uint8_t allFiles) = 0;       // 0..100
  // The finished page (texts 2, 10 and 16): its OK button closes the wizard.
  virtual void WizardFinishedPage() = 0;
  // Closes and frees the wizard at once, without a question and without telling `link`.
  virtual void CloseWizard() = 0;
};

}  // namespace update
