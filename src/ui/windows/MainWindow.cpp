#include "ui/windows/MainWindow.h"

#include "launcher/EventGuard.h"
#include "launcher/ProductInfo.h"
#include "ui/windows/ArtworkIds.h"
#include "ui/windows/ControlIds.h"

namespace ui {

struct MainWindow::Artwork {
  Picture background, exit, minimize, runNormal, runHover, runDown, about, sponsor;
  Picture browse, update, email, info;
};

namespace {

constexpr int kPageWidth = 300, kPageHeight = 320;
constexpr int kTextHeight = 14;
constexpr int kEditHeight = 21;

const char* const kFilteringText =
    "The program don't handle the filtering. You can be defined at the Display Properties of the "
    "OS. Please use this method for the  reliable benchmarking.";
const char* const kShaderNote =
    "IMPORTANT! Minimum requirements of the Shader\r\n"
    "model 3.0: DirectX 9.0c, and the latest NVIDIA/ATI\r\n"
    "video card drivers. For the moment the Pixel Shader 3.0\r\n"
    "only works on NVIDIA 6xxx/7xxx and ATI X1x00 video\r\n"
    "cards.";
const char* const kAdditionalText =
    "Additional information about other settings\r\n"
    "\r\n"
    "- The trilinear filtering always ON.\r\n"
    "- The shadow resolution always HIGH.\r\n"
    "- The specular lighting always ON.\r\n"
    "- The high quality textures always ON.\r\n"
    "- The vertical synchronization always OFF.\r\n"
    "- The sounds and music always OFF.\r\n"
    "- The textures depth always 32 bit.";
const char* const kSponsorText =
    "Our Sponsor\r\n"
    "\r\n"
    "Halvard Systems builds quiet, cool-running gaming PCs and lent us the test machines on "
    "which this benchmark was tuned.\r\n"
    "\r\n"
    "Their support keeps the Tavorin Splinter Cell CT Benchmark free for everybody. Click the "
    "logo to visit their web site.";

std::string AboutTextBlock() {
  return std::string(launcher::kAboutFirstLine) +
         "\r\n"
         "Some graphical elements belong to Ubisoft\r\n"
         "Entertainment. Splinter Cell Chaos Theory is a\r\n"
         "trademark of Ubisoft Entertainment.";
}

ToolButton::Style IconOnlyStyle() {
  ToolButton::Style style;
  style.framed = true;
  return style;
}

Panel::Style FramedStyle() {
  Panel::Style style;
  style.framed = true;
  return style;
}

ChoiceGroup::Layout Columns(int columns) {
  ChoiceGroup::Layout layout;
  layout.columns = columns;
  return layout;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE resources) : resources_(resources), art_(std::make_unique<Artwork>()) {}

MainWindow::~MainWindow() {
  splash_.Close();
  if (window_.Handle()) DestroyWindow(window_.Handle());
}

void MainWindow::LoadArtwork() {
  Artwork& a = *art_;
  a.background = LoadJpegResource(resources_, IDJ_BACKGROUND);
  a.exit = LoadJpegResource(resources_, IDJ_EXIT);
  a.minimize = LoadJpegResource(resources_, IDJ_MINIMIZE);
  a.runNormal = LoadJpegResource(resources_, IDJ_RUN_NORMAL);
  a.runHover = LoadJpegResource(resources_, IDJ_RUN_HOVER);
  a.runDown = LoadJpegResource(resources_, IDJ_RUN_DOWN);
  a.about = LoadJpegResource(resources_, IDJ_ABOUT);
  a.sponsor = LoadJpegResource(resources_, IDJ_SPONSOR);
  a.browse = LoadJpegResource(resources_, IDJ_ICON_BROWSE);
  a.update = LoadJpegResource(resources_, IDJ_ICON_UPDATE);
  a.email = LoadJpegResource(resources_, IDJ_ICON_EMAIL);
  a.info = LoadJpegResource(resources_, IDJ_ICON_INFO);
}

void MainWindow::Create(TForm1& form) {
  LoadArtwork();
  Artwork& a = *art_;
  window_.Create(launcher::kApplicationTitle, kWidth, kHeight);
  if (HICON icon = LoadIconW(resources_, MAKEINTRESOURCEW(IDI_LUMENRIG))) {
    SendMessageW(window_.Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window_.Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  HWND top = window_.Handle();
  tips_.Create(top);

  // The progress panel lies over the page area, so it comes first in the z-order.
  Panel1.Create(top, 174, 152, 307, 321);
  Panel1.SetId(ids::Panel1);
  Label3.Create(Panel1.Handle(), 0, 120, 307, 20, form.Label3.Text(), colors::White, Label::Align::Center);
  Label3.SetFont(Skin::Get().PanelTitle());
  Label3.SetId(ids::Label3);
  Label4.Create(Panel1.Handle(), form.Label4Left.Value(), 160, 307 - form.Label4Left.Value(), 17,
                form.Label4.Text(), colors::White);
  Label4.SetFont(Skin::Get().PanelText());
  Label4.SetId(ids::Label4);
  Panel1.SetVisible(false);

  Image3.Create(top, 450, 16, &a.minimize, nullptr, nullptr, "Minimize");
  Image3.SetId(ids::Image3);
  tips_.Add(Image3, "Minimize");
  Image2.Create(top, 470, 8, &a.exit, nullptr, nullptr, "Exit");
  Image2.SetId(ids::Image2);
  tips_.Add(Image2, "Exit");
  BenchButton.Create(top, 40, 440, &a.runNormal, &a.runHover, &a.runDown, "Run benchmark");
  BenchButton.SetId(ids::BenchButton);
  tips_.Add(BenchButton, "Run benchmark");

  RzGroupBar1.Create(top, 26, 224, 120, 209);
  RzGroupBar1.SetId(ids::RzGroupBar1);
  ApplyGroupBarColours(kNavigationBarColours);
  GroupBarGroup& options = RzGroupBar1.AddGroup(
      "Options", {"Paths & information", "Base settings", "Shader profiles", "Add. settings"});
  options.SetId(ids::RzGroup1);
  for (size_t i = 0; i < options.Count(); ++i) options.Item(i).SetId(ids::RzGroup1Items0 + static_cast<int>(i));
  GroupBarGroup& help = RzGroupBar1.AddGroup(
      "Help", {"Benchmark help", "Our Sponsor", "Update benchmark", "About...", "Homepage"});
  help.SetId(ids::RzGroup2);
  for (size_t i = 0; i < help.Count(); ++i) help.Item(i).SetId(ids::RzGroup2Items0 + static_cast<int>(i));

  PageCtl.Create(top, 178, 150, kPageWidth, kPageHeight);
  PageCtl.SetId(ids::PageControl);
  CreatePages(form);

  // The background lies under everything; only where nothing covers it does it start a drag.
  Image1.Create(top, 0, 0, kWidth, kHeight, &a.background);
  Image1.SetId(ids::Image1);
  Image1.SetDragsWindow(true);
  SetWindowPos(Image1.Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(Panel1.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::CreatePages(TForm1& form) {
  const char* const names[] = {"TabSheet1", "TabSheet3", "TabSheet4", "TabSheet7",
                               "TabSheet2", "TabSheet5", "TabSheet6"};
  for (int i = 0; i < 7; ++i) PageCtl.AddPage(names[i]).SetId(ids::TabSheet + i);
  CreatePathsPage(form, PageCtl.Page(0).Handle());
  CreateBaseSettingsPage(form, PageCtl.Page(1).Handle());
  CreateShaderProfilesPage(form, PageCtl.Page(2).Handle());
  CreateUpdatePage(form, PageCtl.Page(3).Handle());
  CreateSponsorPage(PageCtl.Page(4).Handle());
  CreateAboutPage(PageCtl.Page(5).Handle());
  CreateAdditionalSettingsPage(form, PageCtl.Page(6).Handle());
}

// Page 0: paths and information.
void MainWindow::CreatePathsPage(TForm1& form, HWND p) {
  Artwork& a = *art_;
  const ToolButton::Style iconOnly = IconOnlyStyle();
  PathCaption.Create(p, 8, 8, 284, kTextHeight, "Splinter Cell 3 path");
  SC3PathEdit.Create(p, 8, 24, 284, kEditHeight, Edit::Options{true, false, 0});
  SC3PathEdit.SetId(ids::SC3PathEdit);
  ResultsCaption.Create(p, 8, 56, 284, kTextHeight, "Results folder");
  ResEdit.Create(p, 8, 72, 256, kEditHeight, Edit::Options{true, false, 0});
  ResEdit.SetId(ids::ResEdit);
  RzToolButton1.Create(p, 268, 71, 24, 23, "Browse...", &a.browse, iconOnly, false);
  RzToolButton1.SetId(ids::RzToolButton1);
  tips_.Add(RzToolButton1, "Browse...");
  NotesCaption.Create(p, 8, 104, 284, kTextHeight, "Benchmark notes (50 chars at most!)");
  NoteEdit.Create(p, 8, 120, 284, kEditHeight,
                  Edit::Options{false, false, static_cast<int>(form.NoteEdit.MaxLength())});
  NoteEdit.SetId(ids::NoteEdit);
  const Panel::Style framed = FramedStyle();
  InformationGroup.Create(p, 4, 156, 292, 112, " Information ", framed);
  InformationGroup.SetId(ids::InformationGroup);
  HWND g = InformationGroup.Handle();
  VersionCaption.Create(g, 12, 22, 100, kTextHeight, "Benchmark version:");
  Label21.Create(g, 114, 22, 160, kTextHeight, form.Label21.Text(), colors::White);
  Label21.SetId(ids::Label21);
  RzToolButton2.Create(g, 12, 44, 150, 24, "Update benchmark", &a.update);
  RzToolButton2.SetId(ids::RzToolButton2);
  RzToolButton5.Create(g, 12, 74, 150, 24, "Contact us (email)", &a.email);
  RzToolButton5.SetId(ids::RzToolButton5);
}

// Page 1: base settings.
void MainWindow::CreateBaseSettingsPage(TForm1& form, HWND p) {
  Artwork& a = *art_;
  const ToolButton::Style iconOnly = IconOnlyStyle();
  const Panel::Style framed = FramedStyle();
  ChoiceGroup::Layout four;
  four.columns = 4;
  four.left = 8;
  res.Create(p, 2, 2, 296, 58, form.res.Caption(), form.res.Items(), four);
  res.SetId(ids::res);
  for (size_t i = 0; i < res.Count(); ++i) res.Item(i).SetId(ids::ItemOf(ids::res, static_cast<int>(i)));
  const ChoiceGroup::Layout two = Columns(2);
  demo.Create(p, 2, 66, 296, 124, form.demo.Caption(), form.demo.Items(), two);
  demo.SetId(ids::demo);
  for (size_t i = 0; i < demo.Count(); ++i) demo.Item(i).SetId(ids::ItemOf(ids::demo, static_cast<int>(i)));
  HWND g = demo.Handle();
  DemoEdit.Create(g, 10, 60, 246, kEditHeight, Edit::Options{true, false, 0});
  DemoEdit.SetId(ids::DemoEdit);
  DemoEditButton.Create(g, 260, 59, 24, 23, "Browse...", &a.browse, iconOnly, false);
  DemoEditButton.SetId(ids::DemoEditButton);
  tips_.Add(DemoEditButton, "Browse...");
  MapCaption.Create(g, 10, 94, 60, kTextHeight, "Map name:");
  MapnameBox.Create(g, 70, 90, 214, kEditHeight, form.MapnameBox.Items());
  MapnameBox.SetId(ids::MapnameBox);
  FilteringGroup.Create(p, 2, 198, 296, 90, " Antialiasing and Anisotrophic filtering ", framed);
  FilteringGroup.SetId(ids::FilteringGroup);
  FilteringText.Create(FilteringGroup.Handle(), 10, 20, 276, 62, kFilteringText);
}

// Page 2: shader profiles.
void MainWindow::CreateShaderProfilesPage(TForm1& form, HWND p) {
  const Panel::Style framed = FramedStyle();
  const ChoiceGroup::Layout two = Columns(2);
  ChoiceGroup::Layout one;
  Shader.Create(p, 2, 2, 296, 72, form.Shader.Caption(), form.Shader.Items(), one);
  Shader.SetId(ids::Shader);
  for (size_t i = 0; i < Shader.Count(); ++i) Shader.Item(i).SetId(ids::ItemOf(ids::Shader, static_cast<int>(i)));
  ShaderNote.Create(p, 8, 82, 288, 68, kShaderNote);
  ShaderNote.SetId(ids::ShaderNote);
  AddSM3.Create(p, 2, 156, 296, 42, form.AddSM3.Caption(), form.AddSM3.Items(), two);
  AddSM3.SetId(ids::AddSM3);
  for (size_t i = 0; i < AddSM3.Count(); ++i) AddSM3.Item(i).SetId(ids::ItemOf(ids::AddSM3, static_cast<int>(i)));
  HDRFrame.Create(p, 2, 206, 296, 56, "", framed);
  HDRFrame.SetId(ids::HDRFrame);
  EnableHDR.Create(HDRFrame.Handle(), 10, 9, 270, 17, form.EnableHDR.Caption());
  EnableHDR.SetId(ids::EnableHDR);
  EnableToneMapping.Create(HDRFrame.Handle(), 28, 30, 250, 17, form.EnableToneMapping.Caption());
  EnableToneMapping.SetId(ids::EnableToneMapping);
}

// Page 3: update.
void MainWindow::CreateUpdatePage(TForm1& form, HWND p) {
  Artwork& a = *art_;
  const Panel::Style framed = FramedStyle();
  UpdateHeading.Create(p, 8, 2, 284, 34, "Update", colors::Heading);
  UpdateHeading.SetFont(Skin::Get().Heading());
  UpdateHeading.SetId(ids::UpdateHeading);
  ProxyGroup.Create(p, 2, 42, 296, 198, " Proxy Settings ", framed);
  ProxyGroup.SetId(ids::ProxyGroup);
  HWND g = ProxyGroup.Handle();
  ServerCaption.Create(g, 10, 20, 200, kTextHeight, "Proxy Server");
  ProxyServerEdit.Create(g, 10, 36, 276, kEditHeight);
  ProxyServerEdit.SetId(ids::ProxyServerEdit);
  PortCaption.Create(g, 10, 64, 200, kTextHeight, "Proxy Port");
  ProxyPortEdit.Create(g, 10, 80, 90, kEditHeight);
  ProxyPortEdit.SetId(ids::ProxyPortEdit);
  UserCaption.Create(g, 10, 108, 200, kTextHeight, "Username");
  ProxyUsernameEdit.Create(g, 10, 124, 276, kEditHeight);
  ProxyUsernameEdit.SetId(ids::ProxyUsernameEdit);
  PasswordCaption.Create(g, 10, 152, 200, kTextHeight, "Password");
  ProxyPassEdit.Create(g, 10, 168, 276, kEditHeight, Edit::Options{false, true, 0});
  ProxyPassEdit.SetId(ids::ProxyPassEdit);
  UseProxyBox.Create(p, 10, 248, 200, 17, form.UseProxyBox.Caption());
  UseProxyBox.SetId(ids::UseProxyBox);
  RzToolButton3.Create(p, 8, 276, 150, 26, "Update benchmark", &a.update);
  RzToolButton3.SetId(ids::RzToolButton3);
}

// Page 4: sponsor.
void MainWindow::CreateSponsorPage(HWND p) {
  Artwork& a = *art_;
  SponsorText.Create(p, 10, 10, 280, 170, kSponsorText);
  SponsorText.SetId(ids::SponsorText);
  SponsorLogo1.Create(p, 108, 196, &a.sponsor, nullptr, nullptr, launcher::kSponsorUrl);
  SponsorLogo1.SetId(ids::SponsorLogo1);
  tips_.Add(SponsorLogo1, launcher::kSponsorUrl);
}

// Page 5: about.
void MainWindow::CreateAboutPage(HWND p) {
  Artwork& a = *art_;
  AboutPicture.Create(p, 41, 10, 218, 98, &a.about);
  AboutPicture.SetId(ids::AboutPicture);
  AboutText.Create(p, 0, 122, kPageWidth, 60, AboutTextBlock(), colors::Silver, Label::Align::Center);
  AboutText.SetId(ids::AboutText);
  SponsorLogo2.Create(p, 108, 200, &a.sponsor, nullptr, nullptr, launcher::kSponsorUrl);
  SponsorLogo2.SetId(ids::SponsorLogo2);
  tips_.Add(SponsorLogo2, launcher::kSponsorUrl);
}

// Page 6: additional settings.
void MainWindow::CreateAdditionalSettingsPage(TForm1& form, HWND p) {
  Artwork& a = *art_;
  const Panel::Style framed = FramedStyle();
  AdditionalText.Create(p, 8, 6, 288, 122, kAdditionalText);
  AdditionalText.SetId(ids::AdditionalText);
  HardwareFrame.Create(p, 2, 136, 296, 44, " Hardware specific setting ", framed);
  HardwareFrame.SetId(ids::HardwareFrame);
  HSMapping.Create(HardwareFrame.Handle(), 10, 19, 270, 17, form.HSMapping.Caption());
  HSMapping.SetId(ids::HSMapping);
  AddInfoBox.Create(p, 10, 190, 270, 17, form.AddInfoBox.Caption());
  AddInfoBox.SetId(ids::AddInfoBox);
  RzToolButton7.Create(p, 8, 216, 190, 26, "View additional information", &a.info);
  RzToolButton7.SetId(ids::RzToolButton7);
}

void MainWindow::Bind(TForm1& form, platform::MessageBoxes& messages) {
  EventGuard guard = [&messages](const std::function<void()>& work) {
    launcher::Guarded(messages, work);
  };
  ui::Bind(form.SC3PathEdit, SC3PathEdit, guard);
  ui::Bind(form.ResEdit, ResEdit, guard);
  ui::Bind(form.NoteEdit, NoteEdit, guard);
  ui::Bind(form.Label21, Label21);
  ui::Bind(form.res, res, guard);
  ui::Bind(form.demo, demo, guard);
  ui::Bind(form.DemoEdit, DemoEdit, guard);
  BindEnabled(form.DemoEditButton, DemoEditButton);
  ui::Bind(form.MapnameBox, MapnameBox, guard);
  ui::Bind(form.Shader, Shader, guard);
  ui::Bind(form.AddSM3, AddSM3, guard);
  ui::Bind(form.EnableHDR, EnableHDR, guard);
  ui::Bind(form.EnableToneMapping, EnableToneMapping, guard);
  ui::Bind(form.ProxyServerEdit, ProxyServerEdit, guard);
  ui::Bind(form.ProxyPortEdit, ProxyPortEdit, guard);
  ui::Bind(form.ProxyUsernameEdit, ProxyUsernameEdit, guard);
  ui::Bind(form.ProxyPassEdit, ProxyPassEdit, guard);
  ui::Bind(form.UseProxyBox, UseProxyBox, guard);
  ui::Bind(form.HSMapping, HSMapping, guard);
  ui::Bind(form.AddInfoBox, AddInfoBox, guard);
  BindEnabled(form.BenchButton, BenchButton);
  BindVisible(form.Panel1, Panel1);
  ui::Bind(form.Label3, Label3);
  ui::Bind(form.Label4, Label4);
  form.Label4Left.OnViewUpdate = [this, &form] { Label4.MoveTo(form.Label4Left.Value(), 160); };
  form.Label4Left.OnViewUpdate();
  form.PageControl.OnViewUpdate = [this, &form] { PageCtl.ShowPage(form.PageControl.Value()); };
  form.PageControl.OnViewUpdate();
  form.RzGroupBar1.OnViewUpdate = [this, &form] { RzGroupBar1.SetOpenGroup(form.RzGroupBar1.Value()); };
  form.RzGroupBar1.OnViewUpdate();
  Route(form, guard);
}

// Every event of the window goes to the form's handler of the same name.
void MainWindow::Route(TForm1& form, const EventGuard& guard) {
  auto to = [&form, guard](void (TForm1::*handler)()) {
    return [&form, guard, handler] { guard([&] { (form.*handler)(); }); };
  };
  NoteEdit.OnMouseLeave = to(&TForm1::NoteEditMouseLeave);
  res.OnMouseLeave = to(&TForm1::resMouseLeave);
  AddSM3.OnMouseLeave = to(&TForm1::AddSM3MouseLeave);
  EnableHDR.OnMouseLeave = to(&TForm1::EnableHDRMouseLeave);
  EnableToneMapping.OnMouseLeave = to(&TForm1::EnableToneMappingMouseLeave);
  HSMapping.OnMouseLeave = to(&TForm1::HSMappingMouseLeave);
  UseProxyBox.OnMouseLeave = to(&TForm1::UseProxyBoxMouseLeave);

  RzGroupBar1.OnCaptionClick = [&form, guard](size_t group) {
    guard([&] {
      if (group == 0) form.RzGroup1CaptionClick();
      else form.RzGroup2CaptionClick();
    });
  };
  void (TForm1::*const options[])() = {&TForm1::RzGroup1Items0Click, &TForm1::RzGroup1Items1Click,
                                       &TForm1::RzGroup1Items2Click, &TForm1::RzGroup1Items3Click};
  void (TForm1::*const help[])() = {&TForm1::RzGroup2Items0Click, &TForm1::RzGroup2Items1Click,
                                    &TForm1::RzGroup2Items2Click, &TForm1::RzGroup2Items3Click,
                                    &TForm1::RzGroup2Items4Click};
  for (size_t i = 0; i < RzGroupBar1.Group(0).Count() && i < 4; ++i)
    RzGroupBar1.Group(0).Item(i).OnClick = to(options[i]);
  for (size_t i = 0; i < RzGroupBar1.Group(1).Count() && i < 5; ++i)
    RzGroupBar1.Group(1).Item(i).OnClick = to(help[i]);

  RzToolButton1.OnClick = to(&TForm1::RzToolButton1Click);
  RzToolButton2.OnClick = to(&TForm1::RzToolButton2Click);
  RzToolButton3.OnClick = to(&TForm1::RzToolButton3Click);
  RzToolButton7.OnClick = to(&TForm1::RzToolButton7Click);
  DemoEditButton.OnClick = to(&TForm1::DemoEditButtonClick);
  SponsorLogo1.OnClick = to(&TForm1::SponsorLogo1Click);
  SponsorLogo2.OnClick = to(&TForm1::SponsorLogo2Click);
  Image2.OnClick = to(&TForm1::Image2Click);
  Image3.OnClick = to(&TForm1::Image3Click);
  BenchButton.OnClick = to(&TForm1::BenchButtonClick);

  // The system's close command runs the close handling; then the window goes.
  window_.OnCloseRequest = [this, &form, guard] {
    guard([&] { form.FormClose(); });
    DestroyWindow(window_.Handle());
  };
  window_.OnDestroyed = [this] {
    if (OnDestroyed) OnDestroyed();
  };
}

void MainWindow::Show() {
  window_.CenterOnScreen(true);
  ShowWindow(window_.Handle(), SW_SHOWNORMAL);
  UpdateWindow(window_.Handle());
  SetForegroundWindow(window_.Handle());
}

// ---- TForm1Host -------------------------------------------------------------------------------

void MainWindow::ShowSplash() { splash_.Show(resources_); }

void MainWindow::CloseSplash() { splash_.Close(); }

void MainWindow::ApplyGroupBarColours(const GroupBarColours& colours) {
  // The bar is flat: its colour, border shadow, flat colour and border highlight are drawn
  // as one; the caption colour serves both groups.
  GroupBar::Colors c = RzGroupBar1.GetColors();
  c.bar = colors::FromRgb(colours.Color);
  c.captionText = colors::FromRgb(colours.CaptionText);
  RzGroupBar1.SetColors(c);
}

void MainWindow::MinimizeApplication() { ShowWindow(window_.Handle(), SW_MINIMIZE); }

void MainWindow::TerminateApplication() { PostQuitMessage(0); }

void MainWindow::ShowHardwareDialog() {
  if (OnShowHardwareDialog) OnShowHardwareDialog();
}

void MainWindow::RepaintNow() {
  RedrawWindow(window_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace ui
