#pragma once
// The update component: checks the publisher's info file, asks the user, downloads the
// release's files beside the program, and restarts the program through the replacement
// program "Upgrader3.exe", which installs them. Everything runs on the main thread, in
// the transfer's events.
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/FileDetails.h"
#include "platform/FileSystem.h"
#include "platform/HttpClient.h"
#include "platform/LocalNetwork.h"
#include "platform/MessageWaits.h"
#include "platform/ModuleResources.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/TimerWindows.h"
#include "platform/WorkerThreads.h"
#include "update/UpdateInfoFile.h"
#include "update/UpdateVerification.h"
#include "update/VerificationTexts.h"
#include "update/auHTTP.h"
#include "update/auLanguageEnum.h"
#include "update/auUpgradeUI.h"

namespace update {

enum class TauAutoUpgraderShowMessage {
  mAskUpgrade, mConnLost, mHostUnreachable, mLostFile, mNoInfoFile, mNoUpdateAvailable, mPasswordRequest
};
using TauAutoUpgraderShowMessages = std::set<TauAutoUpgraderShowMessage>;

enum class TacMiscFilesUpgradeBehavior { mfuAlwaysDownload, mfuOnlyIfSizeDifferent };

class TauAutoUpgrader;

// Wizard settings; Language is process-wide (every component's texts follow it).
class TauAutoUpgraderWizard {
 public:
  bool Enabled = true;
  bool HideFileLocation = false;
  std::string Pic118x218;  // resource name of a 118 x 218 picture; empty: the wizard's own
  bool StayOnTop = true;
  TauAutoUpgraderLanguage Language() const { return FLanguage; }
  void SetLanguage(TauAutoUpgraderLanguage language);

 private:
  friend class TauAutoUpgrader;
  explicit TauAutoUpgraderWizard(TauUpgradeUI& ui) : FUI(ui) {}
  TauUpgradeUI& FUI;
  TauAutoUpgraderLanguage FLanguage = TauAutoUpgraderLanguage::wlAuto;
};

// The services the component works through.
struct TauUpgraderServices {
  platform::HttpClient& http;
  platform::WorkerThreads& threads;
  platform::Registry& registry;
  platform::FileSystem& files;
  platform::FileDetails& fileDetails;
  platform::SystemFolders& folders;
  platform::Shell& shell;
  platform::Processes& processes;
  platform::TimerWindows& timers;
  platform::LocalNetwork& network;
  platform::ModuleResources& resources;
  platform::MessageWaits& waits;
  platform::Application& application;
  platform::Clock& clock;
  TauUpgradeUI& ui;
};

using TauNotify = std::function<void(TauAutoUpgrader* Sender)>;
using TauBeginUpgradeEvent =
    std::function<void(TauAutoUpgrader* Sender, const std::string& UpgradeMsg, TacUpgradeMethod UpgradeMethod,
                       const std::vector<std::string>& Files, bool& CanUpgrade)>;
using TauHostUnreachableEvent =
    std::function<void(TauAutoUpgrader* Sender, const std::string& URL, const std::string& Hostname)>;
using TauFileStartEvent = std::function<void(TauAutoUpgrader* Sender, const std::string& FileURL, int FileSize,
                                             TDateTime FileTime, bool& CanUpgrade)>;
using TauProgressEvent = std::function<void(TauAutoUpgrader* Sender, const std::string& FileURL, int FileSize,
                                            int BytesRead, int ElapsedTime, int EstimatedTimeLeft,
                                            uint8_t PercentsDone, uint8_t TotalPercentsDone, float TransferRate)>;
using TauFileDoneEvent = std::function<void(TauAutoUpgrader* Sender, const std::string& FileName)>;
using TauLostFileEvent =
    std::function<void(TauAutoUpgrader* Sender, const std::string& FileURL, int ErrorCode, bool& ContinueUpgrade)>;
using TauEndUpgradeEvent = std::function<void(TauAutoUpgrader* Sender, bool& RestartImediately)>;

class TauAutoUpgrader : public TauCustomHTTP, private TauWizardLink {
 public:
  static constexpr const char* kDefaultRestartParams = "/afterupgrade";
  static constexpr const char* kUpgraderFileName = "Upgrader3.exe";
  static constexpr const char* kUpgraderResource = "AUUPG";
  static constexpr const char* kCompleteListFileName = "Upgrader3.uLST";
  static constexpr const char* kTempFileExtension = ".uTMP";
  // Largest info file read; a longer answer counts as no info file.
  static constexpr uint64_t kInfoFileLimit = 1024 * 1024;

  explicit TauAutoUpgrader(const TauUpgraderServices& services);
  ~TauAutoUpgrader() override;

  // --- properties ---
  std::string InfoFileURL = "http://";
  TauAutoUpgraderVersionControl VersionControl = TauAutoUpgraderVersionControl::byDate;
  std::string VersionNumber;
  std::string VersionDate;  // MM/DD/YYYY; today at construction
  // Only meaningful while the component is being designed; no effect at run time.
  bool VersionDateAutoSet = true;
  TauAutoUpgraderShowMessages ShowMessages{
      TauAutoUpgraderShowMessage::mAskUpgrade, TauAutoUpgraderShowMessage::mConnLost,
      TauAutoUpgraderShowMessage::mLostFile, TauAutoUpgraderShowMessage::mPasswordRequest};
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool on);
  int AutoCheckDelay = 10000;
  // The component's cache flags for all its requests (it hides the request's own setting,
  // which it fills from this one for each transfer).
  TauCacheOptions CacheOptions{TauCacheOption::coReloadIfNoExpireInformation, TauCacheOption::coReloadUpdatedObjects,
                               TauCacheOption::coCreateTempFilesIfCantCache};
  TacMiscFilesUpgradeBehavior MiscFilesUpgrade = TacMiscFilesUpgradeBehavior::mfuAlwaysDownload;
  const std::string& RestartParams() const { return FRestartParams; }
  void SetRestartParams(const std::string& params);  // empty stores one blank
  bool StoresRestartParams() const { return FRestartParams != kDefaultRestartParams; }
  TauAutoUpgraderInfo InfoFile;  // for the developer composing the info file; never read
  // The publisher's Ed25519 public key (32 bytes), the build's own by default. With a key
  // the info file is read only when it is signed with it, and every file must come with
  // a checksum and a size; empty: the info file is taken as it comes.
  std::string PublisherKey;
  TauAutoUpgraderWizard Wizard;

  // --- events ---
  TauBeginUpgradeEvent OnBeginUpgrade;
  TauNotify OnLaterUpgrade;
  TauNotify OnNoUpdateAvailable;
  TauNotify OnNoInfoFile;
  TauHostUnreachableEvent OnHostUnreachable;
  TauNotify OnConnLost;
  TauNotify OnAborted;
  TauHTTPPasswordRequestEvent OnPasswordRequest;
  TauFileStartEvent OnFileStart;
  TauProgressEvent OnProgress;
  TauFileDoneEvent OnFileDone;
  TauLostFileEvent OnLostFile;
  TauEndUpgradeEvent OnEndUpgrade;
  TauNotify OnDoOwnCloseAppMethod;
  TauNotify OnAfterRestart;

  // --- operations ---
  // Fetches the info file; ignored while a transfer of this component runs.
  void CheckUpdate();
  // Ends the update: stops the transfer, closes the wizard, deletes the fetched files.
  void AbortUpgrade();
  // Stops the transfer and closes the wizard, keeping the files fetched so far.
  void StopTransfer();
  // Called by the owner once all properties are set: raises OnAfterRestart when the
  // program was started with RestartParams as its first argument.
  void Loaded();
  // Writes the replacement program, starts it and closes the application. Without
  // `params` the restart argument is RestartParams followed by the method digit.
  void RestartApplication();
  void RestartApplication(const std::string& params);
  // Deletes every "*.uTMP" file in the program's folder and the list of complete files.
  void DeleteTempFiles();
  // Registry first, then the local address.
  bool IsOnline();
  // The download phase: from the first file of FileList, and on to the next one.
  void StartDownloads();
  void NextFile();

  // --- state ---
  const std::vector<std::string>& FileList() const { return FFileList; }
  const std::string& UpgradeMsg() const { return FUpgradeMsg; }
  TacUpgradeMethod UpgradeMethod() const { return FUpgradeMethod; }
  bool InfoPhase() const { return FInfoPhase; }
  bool SilentCheck() const { return FSilentCheck; }
  bool TimerDone() const { return FTimerDone; }
  bool Aborted() const { return FAborted; }
  bool DownloadsComplete() const { return FDownloadsComplete; }
  int CurrentFile() const { return FCurrentFile; }
  bool RestartBegun() const { return FRestartBegun; }
  const std::string& ProgramFolder() const { return FProgramFolder; }
  const std::string& UpgraderPath() const { return FUpgraderPath; }
  // The command line the last restart started the replacement program with.
  const std::string& RestartCommandLine() const { return FRestartCommandLine; }

  // The timer id the automatic check uses on the component's window.
  static constexpr uint32_t kCheckTimer = 1;

 private:
  bool Shows(TauAutoUpgraderShowMessage m) const { return ShowMessages.count(m) != 0; }
  void ArmTimer();
  void TimerFired(uint32_t id);
  void SignalCompletion();
  void OpenInBrowser(const std::string& address);

  void HeaderInfo(uint32_t fileSize, TDateTime lastModified, bool& continueDownload);
  void Progress(uint32_t dataSize, uint32_t bytesRead, int elapsed, int estimated, uint8_t percents, float rate);
  void Done(TauStream* stream);
  void DoneInterrupted();
  void NoResponse();
  void Error(int status);
  void Skipped();
  void PasswordRequest(const std::string& realm, bool& tryAgain);
  void TransferAborted();

  void ParseAndAct(const std::string& text);
  // The info file is not the publisher's: nothing is offered.
  void RefuseInfoFile();
  // A file failed its checks (or cannot be checked): the update ends with nothing fetched
  // left behind and one message naming the file of `address`.
  void RefuseUpdate(TauVerificationFailure kind, const std::string& address);
  bool AllFilesCheckable();
  void FetchCurrent();
  void FileComplete();
  void LostFile(int status);
  void EndOfList();
  void WriteCompleteList();
  std::string TempPathOf(const std::string& address) const;

  void WizardClosed() override;
  void WizardCloseConfirmed() override;

  TauUpgraderServices S;
  std::unique_ptr<platform::TimerWindow> FWindow;
  std::string FProgramFolder;
  std::string FUpgraderPath;
  std::string FRestartParams = kDefaultRestartParams;
  bool FAutoCheck = false;

  std::vector<std::string> FFileList;
  std::vector<ExpectedFile> FExpected;  // checksum and size of each entry of FFileList
  std::string FUpgradeMsg;
  TacUpgradeMethod FUpgradeMethod = TacUpgradeMethod::umSelfUpgrade;
  bool FInfoPhase = false;
  bool FSilentCheck = false;
  bool FTimerDone = false;
  bool FAborted = false;
  bool FDownloadsComplete = false;
  bool FRestartBegun = false;
  bool FWizardOpen = false;
  int FCurrentFile = 0;
  std::string FCurrentTempPath;
  TDateTime FCurrentFileTime = 0;
  std::vector<std::string> FCompleteFiles;  // temporary file names, in completion order
  std::unique_ptr<platform::SignalEvent> FCompletionEvent;
  std::string FRestartCommandLine;
};

}  // namespace update
