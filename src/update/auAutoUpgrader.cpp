#include "update/auAutoUpgrader.h"

#include <algorithm>
#include <cmath>

#include "platform/Exceptions.h"
#include "platform/Text.h"
#include "update/BrowserLaunch.h"
#include "update/HttpUrl.h"
#include "update/PublisherKey.h"

namespace update {
namespace {

using Show = TauAutoUpgraderShowMessage;

const char kRemoteAccessKey[] = "System\\CurrentControlSet\\Services\\RemoteAccess";
const char kRemoteConnection[] = "Remote Connection";

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// The file an address names, as the user is shown it: the last part of its path, without
// a query, so that a refused local name can still be told apart in the message.
std::string ShownFileName(const std::string& address) {
  std::string path = address.substr(0, address.find_first_of("?#"));
  size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return name.empty() ? address : name;
}

platform::LocalTime ToLocalTime(TDateTime value) {
  DateTimeParts p = DecodeDateTime(value);
  platform::LocalTime t;
  t.year = p.year;
  t.month = p.month;
  t.day = p.day;
  t.hour = p.hour;
  t.minute = p.minute;
  t.second = p.second;
  return t;
}

}  // namespace

void TauAutoUpgraderWizard::SetLanguage(TauAutoUpgraderLanguage language) {
  FLanguage = language;
  FUI.SelectLanguage(language);
}

TauAutoUpgrader::TauAutoUpgrader(const TauUpgraderServices& services)
    : TauCustomHTTP(services.http, services.threads), Wizard(services.ui), S(services) {
  HideOutputFile = true;
  PublisherKey = BuiltInPublisherKey();
  OnHTTPHeaderInfo = [this](TauCustomHTTP*, int, const std::string&, const std::string&, const std::string&,
                            const std::string&, uint32_t length, const std::string&, TDateTime, TDateTime modified,
                            TDateTime, const std::string&, bool& continueDownload) {
    HeaderInfo(length, modified, continueDownload);
  };
  OnHTTPProgress = [this](TauCustomHTTP*, const std::string&, uint32_t size, uint32_t read, int elapsed,
                          int estimated, uint8_t percents, float rate, TauStream*) {
    Progress(size, read, elapsed, estimated, percents, rate);
  };
  OnHTTPDone = [this](TauCustomHTTP*, const std::string&, uint32_t, TauStream* stream) { Done(stream); };
  OnHTTPDoneInterrupted = [this](TauCustomHTTP*, const std::string&, uint32_t, uint32_t, TauStream*) {
    DoneInterrupted();
  };
  OnHTTPNoResponse = [this](TauCustomHTTP*) { NoResponse(); };
  OnHTTPError = [this](TauCustomHTTP*, int status, TauStream*) { Error(status); };
  OnHTTPSkipped = [this](TauCustomHTTP*) { Skipped(); };
  OnHTTPPasswordRequest = [this](TauCustomHTTP*, const std::string& realm, bool& tryAgain) {
    PasswordRequest(realm, tryAgain);
  };
  OnHTTPAborted = [this](TauCustomHTTP*) { TransferAborted(); };

  FProgramFolder = FolderOf(S.folders.ModuleFileName());
  std::string temp = S.folders.TempPath();
  bool tempUsable = !temp.empty() && S.files.DirectoryExists(temp);
  FUpgraderPath = (tempUsable ? text::WithTrailingBackslash(temp) : FProgramFolder) + kUpgraderFileName;
  // The replacement program of an earlier update has done its work by now.
  if (S.files.FileExists(FUpgraderPath)) S.files.RemoveFile(FUpgraderPath);

  platform::LocalTime now = S.clock.Now();
  VersionDate = FormatVersionDate(now.year, now.month, now.day);
  Wizard.SetLanguage(TauAutoUpgraderLanguage::wlAuto);
  FWindow = S.timers.Create([this](uint32_t id) { TimerFired(id); });
}

TauAutoUpgrader::~TauAutoUpgrader() {
  FAutoCheck = false;
  if (FWindow) FWindow->KillTimer(kCheckTimer);
  FWindow.reset();
  if (FWizardOpen) {
    FWizardOpen = false;
    S.ui.CloseWizard();
  }
}

void TauAutoUpgrader::SetAutoCheck(bool on) {
  FAutoCheck = on;
  ArmTimer();
}

void TauAutoUpgrader::SetRestartParams(const std::string& params) { FRestartParams = params.empty() ? " " : params; }

// ---------------------------------------------------------------------------------------
// The check

void TauAutoUpgrader::CheckUpdate() {
  FAborted = false;
  FSilentCheck = false;
  if (Busy()) return;
  FInfoPhase = true;
  TauCustomHTTP::CacheOptions = CacheOptions;
  TauCustomHTTP::CacheOptions.insert(TauCacheOption::coPragmaNoCache);
  URL = InfoFileURL;
  OutputFileName.clear();
  BodyLimit = kInfoFileLimit;
  BeginTransfer(false);
}

void TauAutoUpgrader::SignalCompletion() {
  if (FCompletionEvent) FCompletionEvent->Set();
}

void TauAutoUpgrader::Done(TauStream* stream) {
  if (!FInfoPhase) {
    FileComplete();
    return;
  }
  std::string text;
  if (stream) {
    if (stream->Size() > kInfoFileLimit) {
      Error(StatusCode());  // too long to be an info file: not delivered
      return;
    }
    char buffer[4096];
    for (uint32_t n; (n = stream->Read(buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  }
  if (!PublisherKey.empty()) {
    // Not a single key is read from an info file the publisher did not sign.
    std::string signedText;
    if (VerifyInfoSignature(text, PublisherKey, signedText) != InfoSignatureState::Verified) {
      RefuseInfoFile();
      return;
    }
    text = signedText;
  }
  ParseAndAct(text);
}

void TauAutoUpgrader::RefuseInfoFile() {
  SignalCompletion();
  if (OnNoInfoFile) OnNoInfoFile(this);
  S.ui.ShowVerificationFailure(TauVerificationFailure::InfoFileNotSigned, "");
}

void TauAutoUpgrader::ParseAndAct(const std::string& text) {
  platform::LocalTime now = S.clock.Now();
  TDateTime today = 0;
  TryEncodeDate(now.year, now.month, now.day, today);
  InfoParseResult result = ParseInfoFile(text, RunningVersion{VersionControl, VersionNumber, VersionDate}, today);
  FFileList = result.FileList;
  FExpected.clear();
  for (const InfoFileEntry& entry : InfoFileEntries(text)) FExpected.push_back(ExpectedFileOf(text, entry.Key));
  if (result.UpdateAvailable) {
    bool canUpgrade = true;
    FUpgradeMsg = result.UpgradeMsg;
    FUpgradeMethod = result.UpgradeMethod;
    if (OnBeginUpgrade) OnBeginUpgrade(this, FUpgradeMsg, FUpgradeMethod, FFileList, canUpgrade);
    if (canUpgrade && (!Shows(Show::mAskUpgrade) || S.ui.AskUpgrade(FUpgradeMsg))) {
      if (FUpgradeMethod == TacUpgradeMethod::umRedirectToURL)
        OpenInBrowser(FFileList.front());
      else
        StartDownloads();
    } else if (OnLaterUpgrade) {
      OnLaterUpgrade(this);
    }
  } else {
    if (OnNoUpdateAvailable) OnNoUpdateAvailable(this);
    if (!FSilentCheck && Shows(Show::mNoUpdateAvailable))
      S.ui.ShowMessageBox(upgrade_text::kNoUpdateAvailable, upgrade_box::kIconInformation);
  }
  SignalCompletion();
}

void TauAutoUpgrader::OpenInBrowser(const std::string& address) {
  OpenAddressInBrowser(S.registry, S.shell, address);
}

void TauAutoUpgrader::Error(int status) {
  if (!FInfoPhase) {
    // The file went past its announced size: the transfer stopped there and has deleted
    // what it wrote. An error page that long is still a lost file.
    if (BodyLimitExceeded() && (status == 200 || status == 206))
      RefuseUpdate(TauVerificationFailure::FileSizeDiffers, URL);
    else
      LostFile(status);
    return;
  }
  SignalCompletion();
  if (OnNoInfoFile) OnNoInfoFile(this);
  if (Shows(Show::mNoInfoFile)) S.ui.ShowMessageBox(upgrade_text::kNoInfoFile, upgrade_box::kIconError);
}

void TauAutoUpgrader::NoResponse() {
  std::string host = URLHostName(URL);
  if (OnHostUnreachable) OnHostUnreachable(this, URL, host);
  if (FSilentCheck) {
    FTimerDone = false;
    ArmTimer();
  } else if (Shows(Show::mHostUnreachable)) {
    S.ui.ShowMessageBox(upgrade_text::kHostUnreachable, upgrade_box::kIconError, "http://" + host);
  }
  StopTransfer();
}

void TauAutoUpgrader::DoneInterrupted() {
  if (OnConnLost) OnConnLost(this);
  if (Shows(Show::mConnLost)) S.ui.ShowMessageBox(upgrade_text::kConnectionLost, upgrade_box::kIconError);
  StopTransfer();
}

void TauAutoUpgrader::PasswordRequest(const std::string& realm, bool& tryAgain) {
  tryAgain = false;
  if (OnPasswordRequest) OnPasswordRequest(this, realm, tryAgain);
  if (tryAgain || !Shows(Show::mPasswordRequest)) return;
  std::string user = HTTPUsername, password;
  if (S.ui.PasswordDialog(ShownFileName(URL), user, password)) {
    HTTPUsername = user;
    HTTPPassword = password;
    tryAgain = true;
  } else {
    AbortUpgrade();
  }
}

void TauAutoUpgrader::AbortUpgrade() {
  FAborted = true;
  StopTransfer();
  DeleteTempFiles();
  if (OnAborted) OnAborted(this);
}

void TauAutoUpgrader::StopTransfer() {
  SignalCompletion();
  if (Busy()) AbortTransfer(false, false);
  if (FWizardOpen) {
    FWizardOpen = false;
    S.ui.CloseWizard();
  }
}

void TauAutoUpgrader::TransferAborted() {
  // An abort lets the worker stop at its next check point; the file it was writing is
  // closed only now and can be deleted only now.
  if (FAborted) DeleteTempFiles();
}

// ---------------------------------------------------------------------------------------
// The automatic check

void TauAutoUpgrader::ArmTimer() {
  if (!FWindow) return;
  FWindow->KillTimer(kCheckTimer);
  if (FAutoCheck && !FTimerDone && AutoCheckDelay > 0) {
    if (!FWindow->SetTimer(kCheckTimer, static_cast<uint32_t>(AutoCheckDelay)))
      throw EOutOfResources("Not enough timers available");
  }
}

void TauAutoUpgrader::TimerFired(uint32_t id) {
  if (id != kCheckTimer) return;
  try {
    if (IsOnline() && FAutoCheck) {
      FTimerDone = true;
      ArmTimer();
      // A check that is already running stays the user's own (with its messages).
      bool running = Busy();
      CheckUpdate();
      if (!running) FSilentCheck = true;
    }
  } catch (...) {
    S.application.HandleException(std::current_exception());
  }
}

bool TauAutoUpgrader::IsOnline() {
  auto key = S.registry.Open(platform::RegRoot::LocalMachine, kRemoteAccessKey);
  platform::RegValue value;
  if (key && key->Read(kRemoteConnection, value) && value.data.size() == 4) {
    const auto* b = reinterpret_cast<const unsigned char*>(value.data.data());
    uint32_t n = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return n == 1;
  }
  std::string address;
  if (!S.network.LastLocalAddress(address)) return false;
  return !address.empty() && address != "127.0.0.1";
}

void TauAutoUpgrader::Loaded() {
  if (OnAfterRestart && S.application.FirstArgument() == FRestartParams) OnAfterRestart(this);
}

// ---------------------------------------------------------------------------------------
// The download phase

void TauAutoUpgrader::StartDownloads() {
  FInfoPhase = false;
  TauCustomHTTP::CacheOptions = CacheOptions;
  BodyLimit = 0;
  // Files of an earlier, unfinished update are never installed with this one.
  DeleteTempFiles();
  FCompleteFiles.clear();
  FDownloadsComplete = false;
  FCurrentFile = 0;
  if (!AllFilesCheckable()) return;
  if (Wizard.Enabled) {
    S.ui.OpenWizard(TauWizardLook{Wizard.HideFileLocation, Wizard.StayOnTop, Wizard.Pic118x218}, *this);
    FWizardOpen = true;
  }
  FetchCurrent();
}

void TauAutoUpgrader::NextFile() {
  ++FCurrentFile;
  FetchCurrent();
}

std::string TauAutoUpgrader::TempPathOf(const std::string& address) const {
  std::string name = AddressFileName(address);
  return name.empty() ? std::string() : FProgramFolder + name + kTempFileExtension;
}

void TauAutoUpgrader::FetchCurrent() {
  if (FCurrentFile >= static_cast<int>(FFileList.size())) {
    EndOfList();
    return;
  }
  const std::string address = FFileList[FCurrentFile];
  if (FWizardOpen) {
    S.ui.WizardLocation(address);
    S.ui.WizardOverall(FCurrentFile + 1, static_cast<int>(FFileList.size()));
  }
  URL = address;
  FCurrentTempPath = TempPathOf(address);
  FCurrentFileTime = 0;
  // A name that cannot be a file here is lost like a file the server does not have.
  if (FCurrentTempPath.empty()) {
    LostFile(-1);
    return;
  }
  OutputFileName = FCurrentTempPath;
  // Reading stops past the announced size. A limit of 0 would mean none: an empty file
  // may take one byte, which its size check then refuses.
  const ExpectedFile& expected = FExpected[FCurrentFile];
  BodyLimit = expected.HasSize ? std::max<uint64_t>(expected.Size, 1) : 0;
  if (!BeginTransfer(false)) LostFile(-1);
}

bool TauAutoUpgrader::AllFilesCheckable() {
  // Refused before the first download rather than after some of them.
  for (size_t i = 0; i < FFileList.size(); ++i) {
    if (i >= FExpected.size() || !ExpectationUsable(FExpected[i], !PublisherKey.empty())) {
      RefuseUpdate(TauVerificationFailure::FileWithoutChecksum, FFileList[i]);
      return false;
    }
  }
  return true;
}

void TauAutoUpgrader::RefuseUpdate(TauVerificationFailure kind, const std::string& address) {
  FAborted = true;
  StopTransfer();
  DeleteTempFiles();
  S.ui.ShowVerificationFailure(kind, ShownFileName(address));
}

void TauAutoUpgrader::HeaderInfo(uint32_t fileSize, TDateTime lastModified, bool& continueDownload) {
  if (FInfoPhase) return;
  FCurrentFileTime = lastModified;
  if (FWizardOpen) S.ui.WizardFileSize(fileSize / 1024.0);
  if (MiscFilesUpgrade == TacMiscFilesUpgradeBehavior::mfuOnlyIfSizeDifferent && fileSize != 0 &&
      FFileList.size() > 1) {
    std::string installed = FCurrentTempPath.substr(0, FCurrentTempPath.size() - std::string(kTempFileExtension).size());
    if (!text::EqualsNoCase(NameOf(installed), NameOf(S.folders.ModuleFileName())) && S.files.FileExists(installed)) {
      uint64_t size = 0;
      continueDownload = !S.fileDetails.FileSize(installed, size) || size != fileSize;
    }
  }
  if (OnFileStart) OnFileStart(this, URL, static_cast<int>(fileSize), FCurrentFileTime, continueDownload);
}

void TauAutoUpgrader::Progress(uint32_t dataSize, uint32_t bytesRead, int elapsed, int estimated, uint8_t percents,
                               float rate) {
  if (FInfoPhase) return;
  int count = static_cast<int>(FFileList.size());
  if (count == 0) return;
  auto total = static_cast<uint8_t>(std::nearbyint(FCurrentFile * 100.0 / count) + percents / count);
  if (OnProgress)
    OnProgress(this, URL, static_cast<int>(dataSize), static_cast<int>(bytesRead), elapsed, estimated, percents,
               total, rate);
  if (FWizardOpen) {
    S.ui.WizardBars(percents, total);
    S.ui.WizardTransferRate(rate);
    S.ui.WizardTimeLeft(estimated / 3600, (estimated / 60) % 60, estimated % 60);
  }
}

void TauAutoUpgrader::FileComplete() {
  switch (CheckFetchedFile(S.files, FCurrentTempPath, FExpected[FCurrentFile])) {
    case FetchedFileState::Matches: break;
    case FetchedFileState::SizeDiffers: RefuseUpdate(TauVerificationFailure::FileSizeDiffers, URL); return;
    case FetchedFileState::HashDiffers: RefuseUpdate(TauVerificationFailure::FileHashDiffers, URL); return;
    case FetchedFileState::Unreadable: RefuseUpdate(TauVerificationFailure::FileUnreadable, URL); return;
  }
  if (FCurrentFileTime != 0) S.fileDetails.SetCreationAndWriteTime(FCurrentTempPath, ToLocalTime(FCurrentFileTime));
  std::string name = NameOf(FCurrentTempPath);
  auto same = [&name](const std::string& n) { return text::EqualsNoCase(n, name); };
  if (std::none_of(FCompleteFiles.begin(), FCompleteFiles.end(), same)) FCompleteFiles.push_back(name);
  if (OnFileDone) OnFileDone(this, FCurrentTempPath);
  NextFile();
}

void TauAutoUpgrader::Skipped() {
  if (!FInfoPhase) NextFile();
}

void TauAutoUpgrader::LostFile(int status) {
  bool continueUpgrade = false;
  if (OnLostFile) OnLostFile(this, URL, status, continueUpgrade);
  if (Shows(Show::mLostFile)) continueUpgrade = S.ui.AskSkipLostFile(ShownFileName(URL), status);
  if (continueUpgrade)
    NextFile();
  else
    AbortUpgrade();
}

void TauAutoUpgrader::EndOfList() {
  WriteCompleteList();
  if (FWizardOpen) {
    S.ui.WizardFinishedPage();
    FCompletionEvent = S.waits.CreateManualEvent();
    S.waits.WaitPumping(*FCompletionEvent, [this] { return S.application.Terminated(); });
    FCompletionEvent.reset();
    if (FAborted) return;
  }
  FDownloadsComplete = true;
  bool restartImmediately = true;
  if (OnEndUpgrade) OnEndUpgrade(this, restartImmediately);
  if (restartImmediately) RestartApplication();
}

void TauAutoUpgrader::WriteCompleteList() {
  std::string list;
  for (const std::string& name : FCompleteFiles)
    if (S.files.FileExists(FProgramFolder + name)) list += name + "\r\n";
  S.files.WriteAll(FProgramFolder + kCompleteListFileName, list);
}

void TauAutoUpgrader::DeleteTempFiles() {
  for (const std::string& name : S.files.ListFiles(FProgramFolder, std::string("*") + kTempFileExtension))
    S.files.RemoveFile(FProgramFolder + name);
  std::string list = FProgramFolder + kCompleteListFileName;
  if (S.files.FileExists(list)) S.files.RemoveFile(list);
}

// ---------------------------------------------------------------------------------------
// The restart

void TauAutoUpgrader::RestartApplication() {
  RestartApplication(FRestartParams + (FUpgradeMethod == TacUpgradeMethod::umUseExternalSetup ? "1" : "0"));
}

void TauAutoUpgrader::RestartApplication(const std::string& params) {
  if (!FDownloadsComplete) DeleteTempFiles();
  std::string program;
  if (S.resources.Read(kUpgraderResource, kUpgraderResource, program))
    S.fileDetails.CreateTemporaryFile(FUpgraderPath, program);

  // Both paths quoted and the program named explicitly: a blank in either path can never
  // make the system start a different program.
  FRestartCommandLine = Quoted(FUpgraderPath) + " " + Quoted(S.folders.ModuleFileName()) + " +" + params;
  platform::ProcessStartRequest request;
  request.moduleName = FUpgraderPath;
  request.commandLine = FRestartCommandLine;
  request.startup.flags = platform::StartfUseShowWindow;
  request.startup.showWindow = platform::SwShowNormal;
  platform::ProcessInformation info;
  uint32_t error = 0;
  if (S.processes.Start(request, info, error)) {
    S.processes.Close(info.thread);
    S.processes.Close(info.process);
  }

  FRestartBegun = true;
  if (OnDoOwnCloseAppMethod)
    OnDoOwnCloseAppMethod(this);
  else
    S.application.Terminate();
}

// ---------------------------------------------------------------------------------------

void TauAutoUpgrader::WizardClosed() {
  FWizardOpen = false;
  SignalCompletion();
}

void TauAutoUpgrader::WizardCloseConfirmed() { AbortUpgrade(); }

}  // namespace update
