#include "hwinfo/Unit2.h"

#include <utility>

#include "hwinfo/ReportParser.h"

using hwinfo::kHardwareFields;

TForm2::TForm2(const platform::Services& os, platform::Processes& processes,
               settings::SettingsStore& store, std::string programFolder, TForm2Host& host)
    : RunHLFile(processes, os.clock),
      os_(os),
      processes_(processes),
      store_(store),
      programFolder_(std::move(programFolder)),
      host_(host) {
  RunHLFile.Params.UserTag = 0;
  RunHLFile.OnProcCompleted = [this](TRunItem& item, TRetType type, uint32_t value) {
    RunHLFileProcCompleted(item, type, value);
  };
  RunHLFile.OnAfterLaunch = [this](TRunItem& item, bool launched) {
    RunHLFileAfterLaunch(item, launched);
  };
}

void TForm2::FormCreate() {
  host_.ApplyColours(Form2Colours{kStatusBarColor, kButtonFontColor});
  // The program's key exists from the first start on, even if nothing else is ever saved.
  store_.OpenCreating();
  if (store_.ReadValue(hwinfo::kSaveInfoValue) == "1") {
    for (size_t i = 0; i < kHardwareFields.size(); ++i) {
      info_.Lines[i] = store_.ReadValue(kHardwareFields[i].valueName);
      infomemo.Add(info_.Lines[i]);
    }
  } else {
    infomemo.Add(kNoStoredInfo);
  }
  StatusBar.SetText(kIdleStatus);
}

void TForm2::FormShow() {
  // A tool still running from an earlier showing no longer fills the memo.
  collecting_ = false;
}

void TForm2::RzButton1Click() {
  RzButton3.SetEnabled(false);
  RzButton1.SetEnabled(false);
  memoBeforeCollect_ = infomemo.Lines();
  infomemo.Clear();
  collecting_ = true;
  StatusBar.SetText(kCollectingStatus);
  host_.RepaintNow();
  // A report left from an earlier run must not pass for this run's.
  RemoveReport();
  RunHLFile.Params.ProcFileName =
      os_.folders.SystemDirectory() + "\\dxdiag.exe /whql:on /t " + ReportFile();
  RunHLFile.Params.UseAssociations = false;
  toolRunning_ = true;
  try {
    RunHLFile.Execute();
  } catch (...) {
    toolRunning_ = false;
    // The tool's end will not be reported (its watch could not be set up): the dialog
    // must not wait for it. The general error box shows why.
    collecting_ = false;
    BackToIdle();
    throw;
  }
}

void TForm2::RunHLFileAfterLaunch(TRunItem& RunItem, bool Launched) {
  if (Launched) return;
  // No end report follows a failed start.
  toolRunning_ = false;
  NotCollected(std::string(kNotCollected) + "\r\n" + RunItem.Params.ProcFileName + ": " +
               SystemErrorText(RunItem.LastError()));
}

void TForm2::RunHLFileProcCompleted(TRunItem& RunItem, TRetType RetType, uint32_t RetVal) {
  if (RetType == rtNormal || RetType == rtError) toolRunning_ = false;
  switch (RetType) {
    case rtNormal: {
      if (!collecting_) {
        // The dialog was shown again while the tool ran: its report is not wanted any more,
        // but the dialog must not stay locked.
        RemoveReport();
        BackToIdle();
        return;
      }
      std::string bytes;
      if (!os_.files.FileExists(ReportFile()) || !os_.files.ReadAll(ReportFile(), bytes)) {
        NotCollected(std::string(kNotCollected) +
                     "\r\nThe DirectX diagnostic tool left no readable report in " +
                     ReportFile() + ".");
        return;
      }
      info_ = hwinfo::ParseReport(hwinfo::ReportLines(bytes));
      infomemo.SetLines({info_.Lines.begin(), info_.Lines.end()});
      RemoveReport();
      StatusBar.SetText(kCollectedStatus);
      EnableButtons();
      return;
    }
    case rtError:
      NotCollected(RunItem.Params.ProcFileName + ": " + SystemErrorText(RetVal));
      return;
    case rtTimeOut:
    case rtNone:
      return;
  }
}

void TForm2::RzButton3Click() {
  // CPU, Memory, OS, VGA, VGA Driver, VGA Memory: a refused write stops the save there, so
  // the order decides what is already written, and "Save Info" always comes last.
  static constexpr size_t kSaveOrder[] = {1, 2, 0, 3, 5, 4};
  if (infomemo.LineCount() < 2) {
    for (size_t i : kSaveOrder) store_.WriteValue(kHardwareFields[i].valueName, "");
    store_.WriteValue(hwinfo::kSaveInfoValue, "0");
    infomemo.SetLines({kNoStoredInfo});
  } else {
    for (size_t i : kSaveOrder) store_.WriteValue(kHardwareFields[i].valueName, info_.Lines[i]);
    store_.WriteValue(hwinfo::kSaveInfoValue, "1");
  }
  host_.CloseDialog();
}

void TForm2::FormClose() {
  // A report that the running tool may be writing is its own; it is read and removed when
  // the tool's end arrives, also while the dialog is hidden.
  if (!toolRunning_) RemoveReport();
}

void TForm2::NotCollected(const std::string& message) {
  collecting_ = false;
  os_.messages.ShowMessage(message);
  BackToIdle();
}

void TForm2::BackToIdle() {
  infomemo.SetLines(memoBeforeCollect_);
  StatusBar.SetText(kIdleStatus);
  EnableButtons();
}

void TForm2::EnableButtons() {
  RzButton3.SetEnabled(true);
  RzButton1.SetEnabled(true);
}

void TForm2::RemoveReport() {
  if (os_.files.FileExists(ReportFile())) os_.files.RemoveFile(ReportFile());
}

std::string TForm2::SystemErrorText(uint32_t code) {
  std::string text = processes_.ErrorText(code);
  while (!text.empty()) {
    unsigned char c = static_cast<unsigned char>(text.back());
    if (c <= ' ' || c == '.') text.pop_back();
    else break;
  }
  return text + " " + std::to_string(static_cast<int32_t>(code));
}
