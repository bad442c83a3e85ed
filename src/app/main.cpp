// lumenrig.exe: the Tavorin Splinter Cell CT Benchmark launcher.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "bench/RunController.h"
#include "launcher/FormRunSides.h"
#include "launcher/ProductInfo.h"
#include "launcher/mainf.h"
#include "platform/win32/Win32DateTimeText.h"
#include "platform/win32/Win32FileDialogs.h"
#include "platform/win32/Win32HttpClient.h"
#include "platform/win32/Win32Languages.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32UpdateSystem.h"
#include "platform/win32/Win32WorkerThreads.h"
#include "ui/windows/HardwareDialog.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/update/Win32UpgradeUI.h"
#include "update/auAutoUpgrader.h"
#include "update/auLanguages.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The folder browser of the newer style needs OLE on this thread.
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  platform::Win32Platform os(launcher::kApplicationTitle);
  // The update component's texts come from our string table, in the user's language until
  // the main window chooses one.
  platform::Win32StringTable updateTexts;
  platform::Win32UserLanguage userLanguage;
  update::UseLanguageServices(updateTexts, userLanguage);
  // A handler that raises while a process end is handed over reaches the general error box
  // like any other event's exception.
  os.processes.onHandOverError = [&os](const std::exception& e) { os.messages.ShowError(e.what()); };
  platform::Win32FileDialogs dialogs;
  ui::MainWindow view(instance);
  int exitCode = 0;
  {
    TForm1 form(os.Bundle(), dialogs, view, &os.processes);
    // The benchmark run: the run button starts it, the end of each game process moves it on.
    platform::Win32DateTimeText dateTime;
    launcher::FormRunSides runSides(form);
    bench::RunController benchRun(runSides.Parts(), dateTime);
    form.Run = &benchRun;
    view.Create(form);
    os.messages.SetOwner(reinterpret_cast<uintptr_t>(view.Handle()));
    dialogs.SetOwner(reinterpret_cast<uintptr_t>(view.Handle()));
    // The shell's progress and error windows of every copy and move belong to the main window.
    form.FileOp.OwnerWindow = reinterpret_cast<uintptr_t>(view.Handle());
    view.Bind(form, os.messages);
    // Closing the main window ends the program.
    view.OnDestroyed = [] { PostQuitMessage(0); };

    // The update component: its transfers, timer window, windows and the restart through
    // the replacement program. Its handlers' exceptions reach the general error box.
    platform::Win32HttpClient http;
    platform::Win32WorkerThreads threads;
    platform::Win32FileDetails fileDetails;
    platform::Win32TimerWindows timers;
    platform::Win32LocalNetwork network;
    platform::Win32ModuleResources resources;
    platform::Win32MessageWaits waits;
    platform::Win32Application application;
    application.SetMainWindow(reinterpret_cast<uintptr_t>(view.Handle()));
    application.onException = [&os](std::exception_ptr error) {
      try {
        std::rethrow_exception(error);
      } catch (const std::exception& e) {
        os.messages.ShowError(e.what());
      }
    };
    ui::Win32UpgradeUI updateWindows(view.Handle(), launcher::kApplicationTitle);
    form.CreateUpdater(update::TauUpgraderServices{http, threads, os.registry, os.files, fileDetails, os.folders,
                                                   os.shell, os.processes, timers, network, resources, waits,
                                                   application, os.clock, updateWindows});

    // Creating the main window is the whole start-up: splash, game detection, options.
    form.FormCreate();

    // The hardware dialog is created here, right after the main window, and lives until
    // the program ends.
    ui::HardwareDialog hardware(os.Bundle(), os.processes, form.Store(), form.ProgramFolder);
    hardware.Create(view.Handle());
    view.OnShowHardwareDialog = [&hardware] { hardware.ShowModal(); };

    view.Show();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (IsDialogMessageW(view.Handle(), &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    exitCode = static_cast<int>(msg.wParam);
    // The window goes before the form whose models it shows (the Exit picture ends the loop
    // with the window still there).
    view.OnDestroyed = nullptr;
    // The update component stops its transfer and closes its windows before the services
    // it works through go.
    form.Updater.reset();
    if (IsWindow(view.Handle())) DestroyWindow(view.Handle());
  }
  OleUninitialize();
  return exitCode;
}
