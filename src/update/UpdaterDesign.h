#pragma once
// The main window's update component `Updater` as the window is designed: its info file,
// its version rule, its messages and its wizard. The window sets VersionNumber at start-up
// and the proxy before each check.
#include "update/auAutoUpgrader.h"

namespace update {

constexpr const char* kUpdaterInfoFileURL = "http://www.tavorin.example/lumenrig/update.txt";
// The launcher's own 118 x 218 side picture of the wizard: the program's JPEG resource
// IDJ_UPDATE_SIDE (214, ui/windows/ArtworkIds.h), named the way FindResource names a numbered one.
constexpr const char* kUpdaterSidePicture = "#214";
// Large enough that the main-thread call per buffer (0.1 to 0.5 ms under Wine) costs little
// beside a fast download; a slow line still moves the wizard's lines several times a second,
// because a read returns what has arrived after a quarter of a second (Win32HttpClient).
constexpr int kUpdaterTransferBufferSize = 2 * 1024 * 1024;

void ApplyMainWindowUpdaterDesign(TauAutoUpgrader& updater);

}  // namespace update
