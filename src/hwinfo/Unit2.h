#pragma once
// TForm2: the hardware information dialog's logic, without any window handle.
//
// The program creates one TForm2 right after the main window and keeps it to the end, so
// the memo, the status text, the buttons and the collected values carry over from one
// showing to the next. The window (src/ui/hwinfo) binds the public models below to its
// controls, calls FormCreate() once, FormShow() each time it is shown and FormClose() each
// time it closes, and routes the two buttons' clicks to their handlers, each call wrapped
// in launcher::Guarded. RunHLFile reports the diagnostic tool's end on the UI thread, also
// while the dialog is hidden.
#include <cstdint>
#include <string>
#include <vector>

#include "hwinfo/HardwareInfo.h"
#include "settings/SettingsStore.h"
#include "platform/Processes.h"
#include "platform/Services.h"
#include "procs/RunAFile.h"
#include "models/ControlModels.h"

// Colours the dialog takes at creation, as RGB values (0x00RRGGBB).
struct Form2Colours {
  uint32_t StatusBarColor = 0;   // the status bar's background
  uint32_t ButtonFontColor = 0;  // the caption of both buttons
};

// What only the window can do.
class TForm2Host {
 public:
  virtual ~TForm2Host() = default;
  virtual void ApplyColours(const Form2Colours& colours) = 0;
  // Paints the dialog now: the tool's start blocks the UI thread for up to 5 seconds.
  virtual void RepaintNow() = 0;
  // Closes the dialog as its close box does (FormClose follows).
  virtual void CloseDialog() = 0;
};

class TForm2 {
 public:
  static constexpr const char* kCaption = "Information";
  static constexpr const char* kNoStoredInfo = "Currently there are no stored information.";
  static constexpr const char* kIdleStatus =
      "Click to Get Info button to get more exact hardware information.";
  static constexpr const char* kCollectingStatus = "Collecting hardware information, please wait...";
  static constexpr const char* kCollectedStatus =
      "Information collected. Click to Save & Close button to save datas into the registry.";
  static constexpr const char* kNotCollected = "The hardware information could not be collected.";
  static constexpr const char* kReportName = "dxinfo.txt";

  // Colours: TColor 12639424 is RGB(192, 220, 192); the buttons' highlight TColor 16026986
  // is RGB(106, 141, 244) and their hot-tracking TColor 3983359 is RGB(255, 199, 60).
  static constexpr uint32_t kStatusBarColor = 0xC0DCC0;
  static constexpr uint32_t kButtonFontColor = 0x85A3FA;  // RGB(133, 163, 250)
  static constexpr uint32_t kButtonHighlightColor = 0x6A8DF4;
  static constexpr uint32_t kButtonHotTrackColor = 0xFFC73C;

  // `programFolder` ends in "\"; the report is written there. `store` is the main window's.
  TForm2(const platform::Services& os, platform::Processes& processes,
         settings::SettingsStore& store, std::string programFolder, TForm2Host& host);
  TForm2(const TForm2&) = delete;
  TForm2& operator=(const TForm2&) = delete;

  models::ButtonModel RzButton1{"Get info"};
  models::ButtonModel RzButton3{"Save && Close"};
  models::MemoModel infomemo;
  models::LabelModel StatusBar;
  TRunAFile RunHLFile;

  void FormCreate();
  void FormShow();
  void FormClose();
  // "Get info": starts the diagnostic tool; its end arrives in RunHLFileProcCompleted.
  void RzButton1Click();
  // "Save & Close": stores the shown description, or clears the stored one, and closes.
  void RzButton3Click();
  void RunHLFileProcCompleted(TRunItem& RunItem, TRetType RetType, uint32_t RetVal);
  void RunHLFileAfterLaunch(TRunItem& RunItem, bool Launched);

  const hwinfo::HardwareInfo& Info() const { return info_; }
  bool Collecting() const { return collecting_; }
  std::string ReportFile() const { return programFolder_ + kReportName; }

 private:
  // The collection failed: says so, then goes back to idle.
  void NotCollected(const std::string& message);
  // Back to where "Get info" started: the memo as it was, the idle status text, both
  // buttons enabled. Nothing stored changes.
  void BackToIdle();
  void EnableButtons();
  void RemoveReport();
  // "%s %d": the system's text for `code` without its trailing blanks, line breaks and full
  // stops, then the code.
  std::string SystemErrorText(uint32_t code);

  platform::Services os_;
  platform::Processes& processes_;
  settings::SettingsStore& store_;
  std::string programFolder_;
  TForm2Host& host_;

  hwinfo::HardwareInfo info_;
  bool collecting_ = false;
  // From "Get info" until the tool's end (or its failed start) has been handled.
  bool toolRunning_ = false;
  // What the memo showed when "Get info" emptied it.
  std::vector<std::string> memoBeforeCollect_;
};
