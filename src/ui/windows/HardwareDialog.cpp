#include "ui/windows/HardwareDialog.h"

#include <utility>

#include "launcher/EventGuard.h"
#include "platform/win32/Win32System.h"
#include "ui/Binding.h"
#include "ui/Skin.h"

namespace ui {

namespace {

constexpr int kClientWidth = 469, kClientHeight = 233;
constexpr int kButtonWidth = 159, kButtonHeight = 25;
constexpr int kStatusBarHeight = 19;

FramedButton::Style ButtonStyle(COLORREF text) {
  FramedButton::Style style;
  style.face = colors::Black;
  style.text = text;
  style.focusFrame = colors::FromRgb(TForm2::kButtonHighlightColor);
  style.hotFrame = colors::FromRgb(TForm2::kButtonHotTrackColor);
  return style;
}

}  // namespace

HardwareDialog::HardwareDialog(const platform::Services& os, platform::Processes& processes,
                               settings::SettingsStore& store, std::string programFolder)
    : os_(os),
      form_(std::make_unique<TForm2>(os, processes, store, std::move(programFolder),
                                     static_cast<TForm2Host&>(*this))) {}

// The window goes first: its controls' models belong to the form.
HardwareDialog::~HardwareDialog() { window_.Destroy(); }

void HardwareDialog::Create(HWND owner) {
  Dialog::Options options;
  options.background = colors::Black;
  window_.Create(owner, platform::WidenOwnText(TForm2::kCaption), kClientWidth, kClientHeight, options);
  // Every way of closing (close box, Alt+F4, Escape, "Save & Close") hides the dialog
  // through FormClose; it lives until the program ends.
  window_.OnCloseRequest = [this] {
    Guarded([this] { form_->FormClose(); });
    return true;
  };
  CreateControls();
  Bind();
  Guarded([this] { form_->FormCreate(); });
}

void HardwareDialog::CreateControls() {
  HWND parent = window_.Handle();
  // Tab order: "Get info", then "Save & Close"; the memo is no tab stop.
  const FramedButton::Style style = ButtonStyle(RGB(0, 0, 0));
  getInfo_.Create(parent, 35, 172, kButtonWidth, kButtonHeight, form_->RzButton1.Caption(), style);
  getInfo_.SetId(kGetInfoId);
  saveClose_.Create(parent, 275, 172, kButtonWidth, kButtonHeight, form_->RzButton3.Caption(), style);
  saveClose_.SetId(kSaveCloseId);
  memo_.Create(parent, 13, 16, 443, 137, RGB(0, 0, 0), colors::Silver);
  memo_.SetId(kMemoId);
  status_.Create(parent, 0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
  status_.SetId(kStatusBarId);
  // "Get info" is the default button: Enter presses it.
  window_.SetDefaultButton(&getInfo_);
}

void HardwareDialog::Bind() {
  TForm2& f = *form_;
  BindEnabled(f.RzButton1, getInfo_);
  BindEnabled(f.RzButton3, saveClose_);
  ui::Bind(f.infomemo, memo_);
  ui::Bind(f.StatusBar, status_);
  getInfo_.OnClick = [this] { Guarded([this] { form_->RzButton1Click(); }); };
  saveClose_.OnClick = [this] { Guarded([this] { form_->RzButton3Click(); }); };
}

void HardwareDialog::ApplyColours(const Form2Colours& colours) {
  const FramedButton::Style style = ButtonStyle(colors::FromRgb(colours.ButtonFontColor));
  getInfo_.SetStyle(style);
  saveClose_.SetStyle(style);
  status_.SetColor(colors::FromRgb(colours.StatusBarColor));
}

void HardwareDialog::RepaintNow() {
  RedrawWindow(window_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void HardwareDialog::CloseDialog() { window_.RequestClose(); }

void HardwareDialog::Guarded(const std::function<void()>& handler) { launcher::Guarded(os_.messages, handler); }

void HardwareDialog::ShowModal() {
  if (!window_.Handle() || window_.IsModal()) return;
  window_.CenterOnOwner();
  Guarded([this] { form_->FormShow(); });
  window_.ShowModal();
  // The owner, not another program, becomes the active window again.
  if (HWND owner = GetWindow(window_.Handle(), GW_OWNER)) SetActiveWindow(owner);
}

}  // namespace ui
