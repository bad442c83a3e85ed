#include "platform/win32/Win32FileDialogs.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

namespace platform {
namespace {

#ifndef BIF_NEWDIALOGSTYLE
#define BIF_NEWDIALOGSTYLE 0x0040
#endif

HWND Owner(uintptr_t owner) { return reinterpret_cast<HWND>(owner); }

// The common dialogs' library is loaded when the first file dialog opens, not at start:
// under Wine it alone adds some 8 MB to the launcher's working set, and most sessions never
// open it.
using GetOpenFileNameFn = BOOL(WINAPI*)(LPOPENFILENAMEA);
GetOpenFileNameFn OpenFileDialog() {
  static GetOpenFileNameFn fn = [] {
    HMODULE module = LoadLibraryA("comdlg32.dll");
    return module ? reinterpret_cast<GetOpenFileNameFn>(
                        reinterpret_cast<void*>(GetProcAddress(module, "GetOpenFileNameA")))
                  : nullptr;
  }();
  return fn;
}

// Lets the folder browser list hidden folders too, whatever Explorer is set to: the browser
// hands out its filter site when it starts (BFFM_IUNKNOWN), and this filter widens what the
// browser enumerates. A browser without a filter site simply shows what Explorer shows.
class ShowHiddenFolders : public IFolderFilter {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IFolderFilter)) {
      *out = static_cast<IFolderFilter*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the stack of SelectFolder, for as long as the browser that uses it.
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE ShouldShow(IShellFolder*, PCIDLIST_ABSOLUTE, PCUITEMID_CHILD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetEnumFlags(IShellFolder*, PCIDLIST_ABSOLUTE, HWND*, DWORD* flags) override {
    *flags |= SHCONTF_INCLUDEHIDDEN;
    return S_OK;
  }
};

int CALLBACK BrowseCallback(HWND, UINT message, LPARAM lp, LPARAM data) {
  if (message == BFFM_IUNKNOWN && lp) {
    IFolderFilterSite* site = nullptr;
    auto* browser = reinterpret_cast<IUnknown*>(lp);
    if (SUCCEEDED(browser->QueryInterface(IID_IFolderFilterSite, reinterpret_cast<void**>(&site))) && site) {
      site->SetFilter(reinterpret_cast<ShowHiddenFolders*>(data));
      site->Release();
    }
  }
  return 0;
}

}  // namespace

// The resizable browser of the newer style offers "Make New Folder" and the folders'
// context menus (delete, rename), and lists hidden folders as well. It needs OLE on the
// calling thread, which the program initialises at its start.
bool Win32FileDialogs::SelectFolder(std::string& folder) {
  char display[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = Owner(owner_);
  info.pszDisplayName = display;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  ShowHiddenFolders showHidden;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&showHidden);
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  if (!chosen) return false;
  char path[MAX_PATH] = {};
  const bool ok = SHGetPathFromIDListA(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  if (!ok) return false;  // a virtual folder (e.g. the printers) has no path to take
  folder = path;
  return true;
}

bool Win32FileDialogs::ChooseFile(const std::string& filter, std::string& path) {
  // "description|pattern|..." becomes the dialog's "description\0pattern\0...\0\0".
  std::vector<char> filters(filter.begin(), filter.end());
  for (char& c : filters)
    if (c == '|') c = '\0';
  filters.push_back('\0');
  filters.push_back('\0');
  char file[MAX_PATH * 4] = {};
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Owner(owner_);
  ofn.lpstrFilter = filters.data();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  GetOpenFileNameFn open = OpenFileDialog();
  if (!open || !open(&ofn)) return false;
  path = file;
  return true;
}

}  // namespace platform
