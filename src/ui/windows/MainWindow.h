#pragma once
// The launcher's main window as the user sees it: the skinned borderless window with its
// pictures, the navigation bar, the seven pages and the progress panel. It holds no logic:
// Bind() ties every control to the model of the same name in TForm1 and routes each event
// to TForm1's handler, inside the general error box's guard. It is also TForm1's host for
// what only a window can do (splash, minimise, terminate, modal dialog, repaint).
#include <functional>
#include <memory>

#include "launcher/mainf.h"
#include "platform/MessageBoxes.h"
#include "ui/Binding.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ChoiceGroup.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/GroupBar.h"
#include "ui/Jpeg.h"
#include "ui/Label.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/PictureBox.h"
#include "ui/windows/SplashWindow.h"
#include "ui/Tooltip.h"
#include "ui/TopWindow.h"

namespace ui {

class MainWindow : public TForm1Host {
 public:
  static constexpr int kWidth = 503, kHeight = 488;

  // `resources` is the module that holds the artwork.
  explicit MainWindow(HINSTANCE resources);
  ~MainWindow() override;

  // Creates the window, hidden, with every control in its designed state. The texts of the
  // lists and groups come from the form's models, whose captions are the logic's.
  void Create(TForm1& form);
  // Ties the controls to the form's models and its handlers. `messages` shows what an event
  // throws. Call before the form's start-up, so that start-up's changes show.
  void Bind(TForm1& form, platform::MessageBoxes& messages);
  // Shows the window centred, on the page that the form chose.
  void Show();
  HWND Handle() const { return window_.Handle(); }

  // The hardware dialog; unset until the program has one.
  std::function<void()> OnShowHardwareDialog;
  // The window was destroyed (by the close handling, or at the end of the program).
  std::function<void()> OnDestroyed;

  // TForm1Host
  void ShowSplash() override;
  void CloseSplash() override;
  void ApplyGroupBarColours(const GroupBarColours& colours) override;
  void MinimizeApplication() override;
  void TerminateApplication() override;
  void ShowHardwareDialog() override;
  void RepaintNow() override;

  // The controls, by the names the logic knows them by.
  TopWindow window_;
  PictureBox Image1;
  PictureButton Image2, Image3, BenchButton;
  GroupBar RzGroupBar1;
  PageControl PageCtl;
  Panel Panel1;
  Label Label3, Label4;
  // Page 0
  Label PathCaption, ResultsCaption, NotesCaption, VersionCaption;
  Edit SC3PathEdit, ResEdit, NoteEdit;
  ToolButton RzToolButton1, RzToolButton2, RzToolButton5;
  Panel InformationGroup;
  Label Label21;
  // Page 1
  CheckGroup res;
  RadioGroup demo;
  Edit DemoEdit;
  ToolButton DemoEditButton;
  Label MapCaption;
  ComboBox MapnameBox;
  Panel FilteringGroup;
  Label FilteringText;
  // Page 2
  RadioGroup Shader;
  Label ShaderNote;
  CheckGroup AddSM3;
  Panel HDRFrame;
  CheckBox EnableHDR, EnableToneMapping;
  // Page 3
  Label UpdateHeading, ServerCaption, PortCaption, UserCaption, PasswordCaption;
  Panel ProxyGroup;
  Edit ProxyServerEdit, ProxyPortEdit, ProxyUsernameEdit, ProxyPassEdit;
  CheckBox UseProxyBox;
  ToolButton RzToolButton3;
  // Page 4
  Label SponsorText;
  PictureButton SponsorLogo1;
  // Page 5
  PictureBox AboutPicture;
  Label AboutText;
  PictureButton SponsorLogo2;
  // Page 6
  Label AdditionalText;
  Panel HardwareFrame;
  CheckBox HSMapping, AddInfoBox;
  ToolButton RzToolButton7;

 private:
  void LoadArtwork();
  void CreatePages(TForm1& form);
  void CreatePathsPage(TForm1& form, HWND p);  // page 0, paths and information
  void CreateBaseSettingsPage(TForm1& form, HWND p);  // page 1, base settings
  void CreateShaderProfilesPage(TForm1& form, HWND p);  // page 2, shader profiles
  void CreateUpdatePage(TForm1& form, HWND p);  // page 3, update
  void CreateSponsorPage(HWND p);  // page 4, sponsor
  void CreateAboutPage(HWND p);  // page 5, about
  void CreateAdditionalSettingsPage(TForm1& form, HWND p);  // page 6, additional settings
  void Route(TForm1& form, const EventGuard& guard);

  HINSTANCE resources_;
  struct Artwork;
  std::unique_ptr<Artwork> art_;
  Tooltip tips_;
  SplashWindow splash_;
};

}  // namespace ui
