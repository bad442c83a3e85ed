// e2ewindow: a small window program that the end-to-end harness checks itself against. It has
// the kinds of controls the launcher has (push button, check box, edit, a custom control that
// reacts to WM_MOUSELEAVE), shows a message box on request and opens a report through the
// shell, so every driver command and the ".htm" logger registration can be exercised without
// the product.
//   e2ewindow.exe [WIDTH HEIGHT]   client size, default 400 x 300

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

namespace {

constexpr wchar_t kTitle[] = L"Lumenrig e2e test window";
enum : int { IdAsk = 101, IdCheck = 102, IdEdit = 103, IdEcho = 104, IdHot = 105, IdOpen = 106 };

HWND gEcho = nullptr;
HWND gEdit = nullptr;

void Echo(const std::wstring& text) { SetWindowTextW(gEcho, text.c_str()); }

LRESULT CALLBACK HotProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOUSELEAVE) {
    Echo(L"left hot area");
    return 0;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

LRESULT CALLBACK MainProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      auto inst = reinterpret_cast<CREATESTRUCTW*>(lp)->hInstance;
      auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                       int hgt, int id) {
        return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, hgt, h,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
      };
      // A group box holds the check box, so controls are found at depth two too.
      HWND group = child(L"E2eGroup", L"Options", 0, 10, 50, 200, 40, 0);
      CreateWindowExW(0, L"Button", L"&Remember me", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 5,
                      5, 150, 20, group, reinterpret_cast<HMENU>(IdCheck), inst, nullptr);
      child(L"Button", L"Ask", BS_PUSHBUTTON, 10, 10, 80, 25, IdAsk);
      child(L"Button", L"Open report", BS_PUSHBUTTON, 100, 10, 100, 25, IdOpen);
      gEdit = child(L"Edit", L"", WS_BORDER | ES_AUTOHSCROLL, 10, 100, 200, 22, IdEdit);
      gEcho = child(L"Static", L"ready", 0, 10, 130, 300, 20, IdEcho);
      child(L"E2eHot", L"Hot area", 0, 220, 10, 100, 60, IdHot);
      return 0;
    }
    case WM_COMMAND: {
      int id = LOWORD(wp), code = HIWORD(wp);
      if (id == IdAsk && code == BN_CLICKED) {
        int r = MessageBoxW(h, L"Proceed with the test?", kTitle, MB_YESNO | MB_ICONQUESTION);
        Echo(r == IDYES ? L"answer yes" : L"answer no");
      } else if (id == IdCheck && code == BN_CLICKED) {
        bool on = SendMessageW(reinterpret_cast<HWND>(lp), BM_GETCHECK, 0, 0) == BST_CHECKED;
        Echo(on ? L"checked" : L"unchecked");
      } else if (id == IdEdit && code == EN_CHANGE) {
        wchar_t buf[256] = {};
        GetWindowTextW(gEdit, buf, 256);
        Echo(std::wstring(L"typed ") + buf);
      } else if (id == IdOpen && code == BN_CLICKED) {
        wchar_t path[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, path);
        std::wstring file = std::wstring(path) + L"e2e report.htm";
        HANDLE f = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
          DWORD n = 0;
          WriteFile(f, "<html></html>", 13, &n, nullptr);
          CloseHandle(f);
        }
        auto r = reinterpret_cast<INT_PTR>(
            ShellExecuteW(h, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        Echo(r > 32 ? L"report opened" : L"report not opened");
      }
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

// A plain container that passes its children's notifications up, as the launcher's panels do.
LRESULT CALLBACK GroupProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND) return SendMessageW(GetParent(h), msg, wp, lp);
  return DefWindowProcW(h, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int show) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  int width = argc >= 3 ? _wtoi(argv[1]) : 400;
  int height = argc >= 3 ? _wtoi(argv[2]) : 300;

  WNDCLASSW hot{};
  hot.lpfnWndProc = HotProc;
  hot.hInstance = inst;
  hot.lpszClassName = L"E2eHot";
  hot.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  RegisterClassW(&hot);
  hot.lpfnWndProc = GroupProc;
  hot.lpszClassName = L"E2eGroup";
  RegisterClassW(&hot);

  WNDCLASSW wc{};
  wc.lpfnWndProc = MainProc;
  wc.hInstance = inst;
  wc.lpszClassName = L"E2eMain";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hCursor = hot.hCursor;
  RegisterClassW(&wc);

  // Borderless like the launcher, so the client size is the window size.
  HWND w = CreateWindowExW(0, L"E2eMain", kTitle, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 50, 50,
                           width, height, nullptr, nullptr, inst, nullptr);
  ShowWindow(w, show);
  UpdateWindow(w);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(w, &m)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  return 7;  // a distinctive exit code, so the harness sees it read the right process's end
}
