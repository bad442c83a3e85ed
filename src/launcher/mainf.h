#pragma once
// TForm1: the main window's logic, without any window handle.
//
// The window (src/ui, src/app) creates one TForm1, binds each public control model below to
// its control (the view side, `OnViewUpdate`), calls FormCreate() while the window is still
// hidden, and then routes every user event to the handler named after the control and the
// event, each call wrapped in launcher::Guarded (EventGuard.h).
//
// The `OnChange` of every model belongs to TForm1: it carries the option rules, which run on
// every change of a value, whether the user made it through the window or start-up made it.
// A user change of a check, radio choice, list selection or text therefore reaches the logic
// just by setting the model (`res.SetChecked(i, ...)`, `Shader.SetItemIndex(...)`,
// `ProxyPortEdit.SetText(...)`); such calls can raise like any handler and belong in the
// guard too.
//
// Navigation bar handlers (RzGroupBar1):
//   RzGroup1CaptionClick   caption "Options": opens it, or closes it when open
//   RzGroup1Items0Click    "Paths & information"   page 0
//   RzGroup1Items1Click    "Base settings"         page 1
//   RzGroup1Items2Click    "Shader profiles"       page 2
//   RzGroup1Items3Click    "Add. settings"         page 6
//   RzGroup2CaptionClick   caption "Help": opens it, or closes it when open
//   RzGroup2Items0Click    "Benchmark help"        opens help.htm
//   RzGroup2Items1Click    "Our Sponsor"           page 4
//   RzGroup2Items2Click    "Update benchmark"      page 3
//   RzGroup2Items3Click    "About..."              page 5
//   RzGroup2Items4Click    "Homepage"              opens the home page
// Other buttons and pictures:
//   RzToolButton1Click     results folder "Browse..." (page 0)
//   RzToolButton2Click     "Update benchmark" on page 0: page 3
//   RzToolButton3Click     "Update benchmark" on page 3: sets the proxy, starts the check
//   RzToolButton7Click     "View additional information" (page 6): the hardware dialog
//   DemoEditButtonClick    the demo file's browse button (page 1)
//   SponsorLogo1Click      the sponsor's logo on page 4
//   SponsorLogo2Click      the sponsor's logo on page 5
//   Image2Click            "Exit" picture
//   Image3Click            "Minimize" picture
//   BenchButtonClick       "Run benchmark"
// "Contact us (email)" (RzToolButton5) has no action and so no handler.
#include <cstdint>
#include <memory>
#include <string>

#include "launcher/GameInstall.h"
#include "bench/RunControl.h"
#include "settings/SettingsStore.h"
#include "platform/FileDialogs.h"
#include "platform/Services.h"
#include "procs/JvCreateProcess.h"
#include "procs/JvSHFileOperation.h"
#include "models/ControlModels.h"

namespace update {
class TauAutoUpgrader;
struct TauUpgraderServices;
}  // namespace update

// Colours of the navigation bar, as RGB values (0x00RRGGBB).
struct GroupBarColours {
  uint32_t Color = 0, BorderShadow = 0, FlatColor = 0, BorderHighlight = 0;
  uint32_t CaptionText = 0;  // the caption text of both groups
};

// The navigation bar's colours: the window is designed with them and start-up gives them
// again. The bar is flat, one colour for its four parts: RGB(33, 35, 34).
inline constexpr GroupBarColours kNavigationBarColours{0x212322, 0x212322, 0x212322, 0x212322, 0xA6C162};

// What only the window can do.
class TForm1Host {
 public:
  virtual ~TForm1Host() = default;
  // The 640 x 480 splash of start-up: shown and painted at once, then closed and destroyed.
  virtual void ShowSplash() = 0;
  virtual void CloseSplash() = 0;
  // Start-up gives the navigation bar its colours (TForm1::RzGroupBar1Colours).
  virtual void ApplyGroupBarColours(const GroupBarColours& colours) = 0;
  virtual void MinimizeApplication() = 0;
  // Ends the application at once, without the close handling.
  virtual void TerminateApplication() = 0;
  // The hardware dialog, modal: returns when it has been closed.
  virtual void ShowHardwareDialog() = 0;
  // Paints the window now (a run does this before the game takes the screen).
  virtual void RepaintNow() = 0;
};

class TForm1 {
 public:
  // Page numbers of the page area.
  enum Page : int {
    PagePaths = 0, PageBase = 1, PageShader = 2, PageUpdate = 3, PageSponsor = 4, PageAbout = 5,
    PageAdditional = 6
  };
  // Groups of the navigation bar; NoGroup when both are closed.
  enum Group : int { NoGroup = -1, GroupOptions = 0, GroupHelp = 1 };

  static constexpr const char* kDemoFileFilter = "Splinter Cell CT demo file (*.dem)|*.dem";

  // With `processes` the form owns the process runner `cp` that runs the benchmark's
  // batch file; without it (tests of the other pages) there is none.
  TForm1(const platform::Services& os, platform::FileDialogs& dialogs, TForm1Host& host,
         platform::Processes* processes = nullptr);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // The start-up sequence: splash, game detection, loading of every option. Runs once,
  // before the window is shown. An exception stops it where it happened and is shown in
  // the general error box; the window opens all the same.
  void FormCreate();
  // The system's close command (Alt+F4, the task bar): releases the store and removes a
  // leftover lumenrig.bat. Closing the window then ends the program.
  void FormClose();

  // --- Handlers ---------------------------------------------------------------------
  // Saves at the moment the mouse pointer leaves a control.
  void NoteEditMouseLeave();
  void resMouseLeave();
  void AddSM3MouseLeave();
  void EnableHDRMouseLeave();
  void EnableToneMappingMouseLeave();
  void HSMappingMouseLeave();
  void UseProxyBoxMouseLeave();

  void RzGroup1CaptionClick();
  void RzGroup2CaptionClick();
  void RzGroup1Items0Click();
  void RzGroup1Items1Click();
  void RzGroup1Items2Click();
  void RzGroup1Items3Click();
  void RzGroup2Items0Click();
  void RzGroup2Items1Click();
  void RzGroup2Items2Click();
  void RzGroup2Items3Click();
  void RzGroup2Items4Click();

  void RzToolButton1Click();
  void RzToolButton2Click();
  void RzToolButton3Click();
  void RzToolButton7Click();
  void DemoEditButtonClick();
  void SponsorLogo1Click();
  void SponsorLogo2Click();
  void Image2Click();
  void Image3Click();

  // The run: forwarded to `Run` when one is connected.
  void BenchButtonClick();
  void cpTerminate(uint32_t exitCode);

  // Events of the update component that the window answers with a message.
  void UpdaterAborted();
  void UpdaterLaterUpgrade();
  void UpdaterHostUnreachable(const std::string& url, const std::string& hostName);

  // --- Operations ----------------------------------------------------------------------
  // Makes `Updater` as the window is designed and answers its events; before FormCreate,
  // which gives it the running version.
  void CreateUpdater(const update::TauUpgraderServices& services);
  void ShowPage(int page);
  void OpenHelp();
  void OpenHomePage();
  void OpenSponsorSite();
  settings::SettingsStore& Store() { return *store_; }
  platform::Services& Os() { return os_; }
  TForm1Host& Host() { return host_; }

  // --- State fixed by start-up ----------------------------------------------------------
  launcher::GameInstall GameInstall;
  std::string ProgramFolder;  // ends in "\"
  std::string ResultsFolder;  // the results folder in force
  // The update component, once CreateUpdater has made it (the window's other pages work
  // without it).
  std::unique_ptr<update::TauAutoUpgrader> Updater;
  // The benchmark run, when one is connected (src/bench).
  bench::RunControl* Run = nullptr;
  // Every copy and move of the launcher goes through this one shell file operation
  // (options: files only, no confirmation, no confirmation to make folders, simple
  // progress). The window sets its OwnerWindow.
  TJvSHFileOperation FileOp;
  // Starts lumenrig.bat with no visible console window (placement and size 0, hidden) and
  // hands the end of its process to cpTerminate, inside the general error box's guard.
  std::unique_ptr<TJvCreateProcess> cp;

  // --- Control models (named after the window's controls) ----------------------------
  // Page 0: paths and information.
  models::TextBoxModel SC3PathEdit;
  models::TextBoxModel ResEdit;
  models::TextBoxModel NoteEdit{50};
  models::LabelModel Label21{"version"};
  // Page 1: base settings.
  models::CheckGroupModel res;
  models::RadioGroupModel demo;
  models::TextBoxModel DemoEdit;
  models::ButtonModel DemoEditButton;
  models::ComboBoxModel MapnameBox;
  // Page 2: shader profiles.
  models::RadioGroupModel Shader;
  models::CheckGroupModel AddSM3;
  models::CheckBoxModel EnableHDR{"Enable HDR (Pixel Shader 3 only)"};
  models::CheckBoxModel EnableToneMapping{"Tone Mapping"};
  // Page 3: update.
  models::TextBoxModel ProxyServerEdit;
  models::TextBoxModel ProxyPortEdit;
  models::TextBoxModel ProxyUsernameEdit;
  models::TextBoxModel ProxyPassEdit;
  models::CheckBoxModel UseProxyBox{"Use Proxy  Server"};
  // Page 6: additional settings.
  models::CheckBoxModel HSMapping{"Hardware Shadow Mapping"};
  models::CheckBoxModel AddInfoBox{"Add additional information"};
  // The run's button and progress panel.
  models::ButtonModel BenchButton;
  models::VisibilityModel Panel1;
  models::LabelModel Label3{"Benchmarking in progress..."};
  models::LabelModel Label4{"Preparing results... please wait"};
  models::IntModel Label4Left{55};
  // The page area's visible page (Page) and the navigation bar's open group (Group).
  models::IntModel PageControl{PagePaths};
  models::IntModel RzGroupBar1{NoGroup};
  GroupBarColours RzGroupBar1Colours;

 private:
  void WireRules();
  void RunStartup();
  bool DetectGame();
  void LoadVersion();
  void LoadResolutions();
  void LoadOptions();
  void LoadProxy();
  void LoadShaderProfile();
  void OfferRestore();
  void DeleteLeftoverBatch();

  // Option rules.
  void ShaderChanged();
  void EnableHDRChanged();
  void DemoChanged();
  void MapnameChanged();
  void UseProxyChanged();
  void SetProxyBoxesEnabled(bool enabled);
  void WriteIfNotEmpty(const char* name, const std::string& text);
  void ToggleGroup(int group);

  platform::Services os_;
  platform::FileDialogs& dialogs_;
  TForm1Host& host_;
  std::unique_ptr<settings::SettingsStore> store_;
};
