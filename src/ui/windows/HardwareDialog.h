#pragma once
// The hardware information dialog's window: a toolkit dialog titled "Information" with the
// memo, the two buttons and the status bar, bound to TForm2. The program creates it once,
// right after the main window, and shows it modally from the main window's
// "View additional information" button; it is hidden, not destroyed, when it closes, so
// everything in it carries over to the next showing, and the diagnostic tool's end report
// reaches it while it is hidden.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "hwinfo/Unit2.h"
#include "ui/Button.h"
#include "ui/Dialog.h"
#include "ui/Memo.h"
#include "ui/StatusBar.h"

namespace ui {

class HardwareDialog : private TForm2Host {
 public:
  // Control ids: automation finds the buttons by their captions, the memo and the status
  // bar by these.
  enum : int { kGetInfoId = 201, kSaveCloseId = 202, kMemoId = 203, kStatusBarId = 204 };

  HardwareDialog(const platform::Services& os, platform::Processes& processes,
                 settings::SettingsStore& store, std::string programFolder);
  ~HardwareDialog() override;
  HardwareDialog(const HardwareDialog&) = delete;
  HardwareDialog& operator=(const HardwareDialog&) = delete;

  // Creates the hidden window owned by `owner` and runs FormCreate. An exception of the
  // creation is shown in the general error box.
  void Create(HWND owner);
  // Shows the dialog centred on its owner and returns when it has been closed; the owner
  // is disabled meanwhile.
  void ShowModal();

  HWND Handle() const { return window_.Handle(); }
  TForm2& Logic() { return *form_; }

 private:
  // TForm2Host
  void ApplyColours(const Form2Colours& colours) override;
  void RepaintNow() override;
  void CloseDialog() override;

  void CreateControls();
  void Bind();
  // Runs a handler the way every user event runs: an unexpected exception ends it in the
  // general error box.
  void Guarded(const std::function<void()>& handler);

  platform::Services os_;
  std::unique_ptr<TForm2> form_;
  Dialog window_;
  FramedButton getInfo_, saveClose_;
  Memo memo_;
  StatusBar status_;
};

}  // namespace ui
