#pragma once
// The hardware information dialog's window: a fixed dialog frame titled "Information" with
// the memo, the two buttons and the status bar, bound to TForm2. The program creates it
// once, right after the main window, and shows it modally from the main window's
// "View additional information" button; it is hidden, not destroyed, when it closes, so
// everything in it carries over to the next showing, and the diagnostic tool's end report
// reaches it while it is hidden.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "hwinfo/Unit2.h"

namespace ui {

class HardwareDialog : private TForm2Host {
 public:
  // Control ids: automation finds the buttons by their captions, the memo and the status
  // bar by these.
  enum : int { kGetInfoId = 201, kSaveCloseId = 202, kMemoId = 203, kStatusBarId = 204 };

  HardwareDialog(const platform::Services& os, platform::Processes& processes,
                 settings::SettingsStore& store, std::string programFolder);
  ~HardwareDialog();
  HardwareDialog(const HardwareDialog&) = delete;
  HardwareDialog& operator=(const HardwareDialog&) = delete;

  // Creates the hidden window owned by `owner` and runs FormCreate. An exception of the
  // creation is shown in the general error box.
  void Create(HWND owner);
  // Shows the dialog centred on its owner and returns when it has been closed; the owner
  // is disabled meanwhile.
  void ShowModal();

  HWND Handle() const { return hwnd_; }
  TForm2& Logic() { return *form_; }

 private:
  class ColourButton;

  // TForm2Host
  void ApplyColours(const Form2Colours& colours) override;
  void RepaintNow() override;
  void CloseDialog() override;

  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  void CreateControls();
  void Bind();
  // Runs a handler the way every user event runs: an unexpected exception ends it in the
  // general error box.
  void Guarded(const std::function<void()>& handler);
  void EndModal();

  platform::Services os_;
  std::unique_ptr<TForm2> form_;
  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;
  HWND memo_ = nullptr;
  HWND status_ = nullptr;
  std::unique_ptr<ColourButton> getInfo_, saveClose_;
  HFONT font_ = nullptr;
  HBRUSH black_ = nullptr, memoBrush_ = nullptr;
  COLORREF buttonText_ = RGB(0, 0, 0);
  bool modal_ = false;
};

}  // namespace ui
