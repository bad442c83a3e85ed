#include "launcher/mainf.h"

#include "bench/DemoChoice.h"
#include "bench/GameConfigWriter.h"
#include "bench/ResolutionEntry.h"
#include "launcher/EventGuard.h"
#include "launcher/ProductInfo.h"
#include "platform/Exceptions.h"
#include "platform/Text.h"
#include "procs/ShellCopy.h"
#include "update/UpdaterDesign.h"
#include "update/auAutoUpgrader.h"

using bench::kResolutions;

namespace {

const char* const kWrongGameVersionText =
    "Please update your Splinter Cell game to the latest 1.5 version. More information and "
    "download links in the help file. The program abort.";
const char* const kRestoreQuestion =
    "The last time an error occured. Do you wish to restore the original settings?";
const char* const kCorruptHelpText =
    "Corrupt Help file, please reinstall the Tavorin Splinter Cell CT Benchmark.";
const char* const kUpdateAbortedText = "Update aborted.";
const char* const kNoConnectionText = "No internet connection.";

constexpr uint32_t kSplashMilliseconds = 4000;
constexpr uint32_t kRestoreDelayMilliseconds = 250;

std::vector<std::string> MapItems() {
  return {"Please select your demo's map", "01_Lighthouse", "02_Cargoship", "03_Bank",
          "04_Penthouse", "05_Displace01", "06_Hokkaido", "07_Battery", "08_Seoulone",
          "09_Seoultwo", "10_Bathhouse", "11_Kokubososho"};
}

// The built-in demos, then the user's own.
std::vector<std::string> DemoCaptions() {
  std::vector<std::string> captions;
  for (const auto& demo : bench::BuiltInDemos()) captions.push_back(demo.Caption);
  captions.push_back(bench::kUserDemoCaption);
  return captions;
}

std::vector<std::string> ResolutionCaptions() {
  std::vector<std::string> captions;
  for (const auto& row : kResolutions) captions.push_back(row.Caption);
  return captions;
}

const char* Flag(bool on) { return on ? "1" : "0"; }

// The folder part of a path, with its final "\".
std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TForm1::TForm1(const platform::Services& os, platform::FileDialogs& dialogs, TForm1Host& host,
               platform::Processes* processes)
    : FileOp(os.shellFiles, os.files),
      res(" Resolution ", ResolutionCaptions()),
      demo(" Choose a demo ", DemoCaptions()),
      MapnameBox(MapItems()),
      Shader(" Shader Model Type ", {"Shader 1.1", "Shader 2.0 (Only on ATI)", "Shader 3.0 (Read the help)"}),
      AddSM3(" Additional options for Shader 2.0/3.0 ", {"Parallax Mapping", "HQ Soft Shadows"}),
      os_(os),
      dialogs_(dialogs),
      host_(host),
      store_(std::make_unique<settings::SettingsStore>(os.registry)) {
  // No prompts, target folders made without asking, a progress window without file names.
  FileOp.Options = {fofFilesOnly, fofNoConfirmation, fofNoConfirmMkDir, fofSimpleProgress};
  DemoEdit.SetEnabled(false);
  DemoEditButton.SetEnabled(false);
  WireRules();
  if (processes) {
    cp = std::make_unique<TJvCreateProcess>(*processes);
    cp->StartupInfo.ShowWindow = swHide;
    cp->StartupInfo.DefaultWindowState = false;
    cp->StartupInfo.DefaultPosition = false;
    cp->StartupInfo.DefaultSize = false;
    cp->StartupInfo.Left = cp->StartupInfo.Top = 0;
    cp->StartupInfo.Width = cp->StartupInfo.Height = 0;
    cp->OnTerminate = [this](TJvCreateProcess&, uint32_t exitCode) {
      launcher::Guarded(os_.messages, [&] { cpTerminate(exitCode); });
    };
  }
}

TForm1::~TForm1() = default;

void TForm1::WireRules() {
  Shader.OnChange = [this] { ShaderChanged(); };
  EnableHDR.OnChange = [this] { EnableHDRChanged(); };
  demo.OnChange = [this] { DemoChanged(); };
  MapnameBox.OnChange = [this] { MapnameChanged(); };
  UseProxyBox.OnChange = [this] { UseProxyChanged(); };
  ProxyServerEdit.OnChange = [this] { WriteIfNotEmpty("ProxyServer", ProxyServerEdit.Text()); };
  ProxyPortEdit.OnChange = [this] { WriteIfNotEmpty("ProxyPort", ProxyPortEdit.Text()); };
  ProxyUsernameEdit.OnChange = [this] { WriteIfNotEmpty("ProxyUsername", ProxyUsernameEdit.Text()); };
  ProxyPassEdit.OnChange = [this] {
    if (!ProxyPassEdit.Text().empty())
      store_->WriteValue("ProxyPassword", settings::SettingsStore::EncodePassword(ProxyPassEdit.Text()));
  };
}

// ---------------------------------------------------------------------------------------
// Start-up

void TForm1::FormCreate() {
  // A failure stops the loading where it happened; the window opens regardless, with the
  // controls that were not reached in their designed state.
  launcher::Guarded(os_.messages, [this] { RunStartup(); });
}

void TForm1::RunStartup() {
  // The splash blocks the thread on purpose: nothing else is meant to run while it shows.
  host_.ShowSplash();
  os_.clock.Wait(kSplashMilliseconds);
  host_.CloseSplash();

  RzGroupBar1Colours = kNavigationBarColours;
  host_.ApplyGroupBarColours(RzGroupBar1Colours);

  ProgramFolder = FolderOf(os_.folders.ModuleFileName());
  GameInstall.ConfigFolder = bench::ConfigFolderOf(os_.folders.CommonAppData());

  ShowPage(PageAbout);

  if (!DetectGame()) return;
  if (!store_->OpenExisting()) return;
  LoadVersion();
  LoadResolutions();
  LoadOptions();
  DeleteLeftoverBatch();
  OfferRestore();
  HSMapping.SetChecked(store_->ReadFlagUnlessZero("HSMapping"));
}

bool TForm1::DetectGame() {
  auto versions = os_.registry.Open(platform::RegRoot::LocalMachine, launcher::kGameVersionsKeyPath);
  if (!versions) return false;
  GameInstall.GameVersion = settings::ReadStringValue(*versions, bench::kGameVersionValue);
  if (GameInstall.GameVersion != launcher::kRequiredGameVersion) {
    os_.messages.ShowMessage(kWrongGameVersionText);
    return false;
  }
  auto game = os_.registry.Open(platform::RegRoot::LocalMachine, launcher::kGameKeyPath);
  if (game) GameInstall.InstallDir = settings::ReadStringValue(*game, bench::kInstallDirValue);
  // Without an installation folder there is no System folder to speak of; an empty one
  // makes the run refuse instead of aiming at "\system\" of whatever drive is current.
  if (!GameInstall.InstallDir.empty()) GameInstall.SystemFolder = bench::SystemFolderOf(GameInstall.InstallDir);
  SC3PathEdit.SetText(GameInstall.SystemFolder);
  return true;
}

void TForm1::LoadVersion() {
  const std::string versionFile = ProgramFolder + "version.txt";
  if (os_.files.FileExists(versionFile)) {
    std::string bytes;
    if (!os_.files.ReadAll(versionFile, bytes))
      throw Exception("Cannot open file \"" + versionFile + "\".");
    std::string version = text::JoinLines(text::SplitLines(bytes)).substr(0, 3);
    store_->WriteValue("Programversion", version);
    os_.files.RemoveFile(versionFile);
  }
  const std::string version = store_->ReadValue("Programversion");
  Label21.SetText(version);
  if (Updater) Updater->VersionNumber = version;
}

void TForm1::LoadResolutions() {
  std::vector<std::string> modes;
  platform::DisplayMode mode;
  for (uint32_t i = 0; os_.display.ModeAt(i, mode); ++i) {
    std::string modeText = std::to_string(mode.width) + " x " + std::to_string(mode.height);
    bool known = false;
    for (const auto& m : modes) known = known || m == modeText;
    if (!known) modes.push_back(modeText);
  }
  // Looked up in the joined text, so a size is found wherever it stands in the list.
  const std::string modeList = text::JoinLines(modes);
  for (const auto& row : kResolutions) {
    if (modeList.find(row.ModeText) != std::string::npos) {
      res.SetChecked(row.Index, store_->ReadFlagIfOne(row.ValueName));
    } else {
      res.SetItemEnabled(row.Index, false);
      res.SetChecked(row.Index, false);
    }
  }
}

void TForm1::LoadOptions() {
  demo.SetEnabled(true);
  const std::string demoChoice = store_->ReadValue("Demo");
  if (demoChoice == "1" || demoChoice == "2" || demoChoice == "3" || demoChoice == "4")
    demo.SetItemIndex(demoChoice[0] - '1');

  const std::string map = store_->ReadValue("Mapname");
  for (int i = 0; i < static_cast<int>(MapnameBox.Items().size()); ++i)
    if (map == std::to_string(i)) MapnameBox.SetItemIndex(i);

  // A bare name is looked up in the current directory, which the demo file dialog leaves at
  // the folder the user last picked from.
  const std::string demoName = store_->ReadValue("Demoname");
  if (!demoName.empty() && os_.files.FileExists(demoName)) DemoEdit.SetText(demoName);

  ResEdit.SetText(store_->ReadValue("ResultPath"));
  if (!os_.files.DirectoryExists(ResEdit.Text())) ResEdit.SetText("");
  if (ResEdit.Text().empty()) ResEdit.SetText(ProgramFolder + "Benchmark\\");
  ResultsFolder = ResEdit.Text();

  NoteEdit.SetText(store_->ReadValue("Note"));
  AddInfoBox.SetChecked(store_->ReadFlagUnlessZero("Addinfo"));
  LoadProxy();
  LoadShaderProfile();
}

void TForm1::LoadProxy() {
  UseProxyBox.SetChecked(store_->ReadFlagIfOne("UseProxy"));
  ProxyServerEdit.SetText(store_->ReadValue("ProxyServer"));
  ProxyPortEdit.SetText(store_->ReadValue("ProxyPort"));
  ProxyUsernameEdit.SetText(store_->ReadValue("ProxyUsername"));
  const std::string password = store_->ReadValue("ProxyPassword");
  if (!password.empty()) ProxyPassEdit.SetText(settings::SettingsStore::DecodePassword(password));
  // The rule only runs on a change; an unchecked box must still disable the boxes.
  SetProxyBoxesEnabled(UseProxyBox.Checked());
}

void TForm1::LoadShaderProfile() {
  const std::string profile = store_->ReadValue("ShaderProfile");
  const int choice = profile == "1" ? 0 : profile == "2" ? 1 : 2;
  Shader.SetItemIndex(choice);
  if (choice == 0) return;
  AddSM3.SetChecked(0, store_->ReadFlagUnlessZero("ParallaxMapping"));
  AddSM3.SetChecked(1, store_->ReadFlagUnlessZero("HQSoftShadows"));
  if (choice == 1) return;
  if (store_->ReadFlagUnlessZero("HDR")) {
    EnableHDR.SetChecked(true);
    EnableToneMapping.SetEnabled(true);
    EnableToneMapping.SetChecked(store_->ReadFlagUnlessZero("ToneMapping"));
  } else {
    EnableHDR.SetChecked(false);
    EnableToneMapping.SetEnabled(false);
    EnableToneMapping.SetChecked(false);
  }
}

void TForm1::DeleteLeftoverBatch() {
  if (GameInstall.SystemFolder.empty()) return;
  const std::string batch = GameInstall.SystemFolder + bench::kBenchBatchFile;
  if (os_.files.FileExists(batch)) os_.files.RemoveFile(batch);
}

void TForm1::OfferRestore() {
  if (store_->ReadValue("NoErrorWarning") != "1") return;
  if (!os_.messages.Confirm(kRestoreQuestion)) return;
  // Only a configuration that is really back in place ends the offer; otherwise the flag
  // stays and the next start asks again.
  if (bench::RestoreUserConfig(os_.files, FileOp, os_.clock, GameInstall.ConfigFolder, kRestoreDelayMilliseconds,
                               true) == bench::ConfigRestore::Restored)
    store_->WriteValue("NoErrorWarning", "0");
}

// ---------------------------------------------------------------------------------------
// Option rules

void TForm1::ShaderChanged() {
  const int choice = Shader.ItemIndex();
  if (choice < 0) return;
  // The dependent controls follow first, so that a refused write cannot leave effects
  // checked that the chosen profile does not allow.
  if (choice == 0) {
    for (size_t i = 0; i < AddSM3.Count(); ++i) {
      AddSM3.SetItemEnabled(i, false);
      AddSM3.SetChecked(i, false);
    }
  } else {
    for (size_t i = 0; i < AddSM3.Count(); ++i) AddSM3.SetItemEnabled(i, true);
  }
  if (choice == 2) {
    EnableHDR.SetEnabled(true);
    EnableToneMapping.SetEnabled(EnableHDR.Checked());
  } else {
    EnableHDR.SetEnabled(false);
    EnableHDR.SetChecked(false);
    EnableToneMapping.SetEnabled(false);
    EnableToneMapping.SetChecked(false);
  }
  store_->WriteValue("ShaderProfile", std::to_string(choice + 1));
}

void TForm1::EnableHDRChanged() {
  if (EnableHDR.Checked()) {
    EnableToneMapping.SetEnabled(true);
  } else {
    EnableToneMapping.SetEnabled(false);
    EnableToneMapping.SetChecked(false);
  }
}

void TForm1::DemoChanged() {
  const int choice = demo.ItemIndex();
  if (choice < 0) return;
  const bool own = choice == 3;
  DemoEdit.SetEnabled(own);
  DemoEditButton.SetEnabled(own);
  MapnameBox.SetEnabled(own);
  store_->WriteValue("Demo", std::to_string(choice + 1));
}

void TForm1::MapnameChanged() {
  // A typed name that is not in the list selects nothing and is not stored.
  if (MapnameBox.ItemIndex() >= 0) store_->WriteValue("Mapname", std::to_string(MapnameBox.ItemIndex()));
}

void TForm1::UseProxyChanged() { SetProxyBoxesEnabled(UseProxyBox.Checked()); }

void TForm1::SetProxyBoxesEnabled(bool enabled) {
  ProxyServerEdit.SetEnabled(enabled);
  ProxyPortEdit.SetEnabled(enabled);
  ProxyUsernameEdit.SetEnabled(enabled);
  ProxyPassEdit.SetEnabled(enabled);
}

void TForm1::WriteIfNotEmpty(const char* name, const std::string& value) {
  if (!value.empty()) store_->WriteValue(name, value);
}

// ---------------------------------------------------------------------------------------
// Saves when the pointer leaves a control

void TForm1::NoteEditMouseLeave() { WriteIfNotEmpty("Note", NoteEdit.Text()); }

void TForm1::resMouseLeave() {
  for (const auto& row : kResolutions)
    store_->WriteValue(row.ValueName, Flag(res.Checked(row.Index) && res.ItemEnabled(row.Index)));
}

void TForm1::AddSM3MouseLeave() {
  store_->WriteValue("ParallaxMapping", Flag(AddSM3.Checked(0)));
  store_->WriteValue("HQSoftShadows", Flag(AddSM3.Checked(1)));
}

void TForm1::EnableHDRMouseLeave() { store_->WriteValue("HDR", Flag(EnableHDR.Checked())); }

void TForm1::EnableToneMappingMouseLeave() {
  store_->WriteValue("ToneMapping", Flag(EnableToneMapping.Enabled() && EnableToneMapping.Checked()));
}

void TForm1::HSMappingMouseLeave() { store_->WriteValue("HSMapping", Flag(HSMapping.Checked())); }

void TForm1::UseProxyBoxMouseLeave() { store_->WriteValue("UseProxy", Flag(UseProxyBox.Checked())); }

// ---------------------------------------------------------------------------------------
// Dialogs of the option pages

void TForm1::RzToolButton1Click() {
  std::string folder;
  if (!dialogs_.SelectFolder(folder)) return;
  // A drive root already ends in "\"; any other folder gets one.
  if (folder.size() > 3 && folder.back() != '\\') folder += '\\';
  ResEdit.SetText(folder);
  // The folder is in force even if the registry refuses to remember it.
  ResultsFolder = folder;
  store_->WriteValue("ResultPath", folder);
}

void TForm1::DemoEditButtonClick() {
  std::string chosen;
  if (!dialogs_.ChooseFile(kDemoFileFilter, chosen)) return;
  const std::string folder = FolderOf(chosen);
  const std::string name = NameOf(chosen);
  // The run finds the demo by its bare name in the current directory.
  if (!folder.empty()) os_.files.ChangeDirectory(folder);
  DemoEdit.SetText(name);
  // A file of that name already in the game's folder is the user's: it is never replaced.
  if (!GameInstall.SystemFolder.empty() && !os_.files.FileExists(GameInstall.SystemFolder + name))
    ShellCopy(FileOp, chosen, GameInstall.SystemFolder);
  WriteIfNotEmpty("Demoname", DemoEdit.Text());
}

// ---------------------------------------------------------------------------------------
// Navigation

void TForm1::ShowPage(int page) { PageControl.SetValue(page); }

void TForm1::ToggleGroup(int group) { RzGroupBar1.SetValue(RzGroupBar1.Value() == group ? NoGroup : group); }

void TForm1::RzGroup1CaptionClick() { ToggleGroup(GroupOptions); }
void TForm1::RzGroup2CaptionClick() { ToggleGroup(GroupHelp); }
void TForm1::RzGroup1Items0Click() { ShowPage(PagePaths); }
void TForm1::RzGroup1Items1Click() { ShowPage(PageBase); }
void TForm1::RzGroup1Items2Click() { ShowPage(PageShader); }
void TForm1::RzGroup1Items3Click() { ShowPage(PageAdditional); }
void TForm1::RzGroup2Items0Click() { OpenHelp(); }
void TForm1::RzGroup2Items1Click() { ShowPage(PageSponsor); }
void TForm1::RzGroup2Items2Click() { ShowPage(PageUpdate); }
void TForm1::RzGroup2Items3Click() { ShowPage(PageAbout); }
void TForm1::RzGroup2Items4Click() { OpenHomePage(); }
void TForm1::RzToolButton2Click() { ShowPage(PageUpdate); }
void TForm1::SponsorLogo1Click() { OpenSponsorSite(); }
void TForm1::SponsorLogo2Click() { OpenSponsorSite(); }
void TForm1::RzToolButton7Click() { host_.ShowHardwareDialog(); }
void TForm1::Image2Click() { host_.TerminateApplication(); }
void TForm1::Image3Click() { host_.MinimizeApplication(); }

void TForm1::OpenHelp() {
  const std::string help = ProgramFolder + "help.htm";
  if (os_.files.FileExists(help))
    os_.shell.Open("open", help, "", "", platform::SwShow);
  else
    os_.messages.ShowMessage(kCorruptHelpText);
}

void TForm1::OpenHomePage() { os_.shell.Open("open", launcher::kHomePageUrl, "", "", platform::SwShowNormal); }

void TForm1::OpenSponsorSite() { os_.shell.Open("open", launcher::kSponsorUrl, "", "", platform::SwShowNormal); }

// ---------------------------------------------------------------------------------------
// Update

void TForm1::CreateUpdater(const update::TauUpgraderServices& services) {
  Updater = std::make_unique<update::TauAutoUpgrader>(services);
  update::ApplyMainWindowUpdaterDesign(*Updater);
  Updater->OnLaterUpgrade = [this](update::TauAutoUpgrader*) { UpdaterLaterUpgrade(); };
  Updater->OnAborted = [this](update::TauAutoUpgrader*) { UpdaterAborted(); };
  Updater->OnHostUnreachable = [this](update::TauAutoUpgrader*, const std::string& url, const std::string& host) {
    UpdaterHostUnreachable(url, host);
  };
  Updater->Loaded();
}

void TForm1::RzToolButton3Click() {
  if (!Updater) return;
  auto& proxy = Updater->Proxy;
  if (UseProxyBox.Checked()) {
    // Set one by one: a bad port stops the start after the server is already set.
    proxy.ProxyServer = ProxyServerEdit.Text();
    int port = 0;
    if (!text::TryParseInt(ProxyPortEdit.Text(), port))
      throw EConvertError("'" + ProxyPortEdit.Text() + "' is not a valid integer value");
    proxy.ProxyPort = port;
    proxy.ProxyUsername = ProxyUsernameEdit.Text();
    proxy.ProxyPassword = ProxyPassEdit.Text();
    proxy.AccessType = update::TauHTTPAccessType::atUseProxy;
  } else {
    proxy.AccessType = update::TauHTTPAccessType::atDirect;
  }
  Updater->CheckUpdate();
}

void TForm1::UpdaterAborted() { os_.messages.ShowMessage(kUpdateAbortedText); }

void TForm1::UpdaterLaterUpgrade() { os_.messages.ShowMessage(kUpdateAbortedText); }

void TForm1::UpdaterHostUnreachable(const std::string&, const std::string&) {
  os_.messages.ShowMessage(kNoConnectionText);
}

// ---------------------------------------------------------------------------------------
// Run and close

void TForm1::BenchButtonClick() {
  if (Run) Run->StartRun();
}

void TForm1::cpTerminate(uint32_t exitCode) {
  if (Run) Run->OnBenchProcessEnd(exitCode);
}

void TForm1::FormClose() {
  store_->Close();
  DeleteLeftoverBatch();
}
