#pragma once
// The main window's update component `Updater` as the window is designed: its info file,
// its version rule, its messages and its wizard. The window sets VersionNumber at start-up
// and the proxy before each check.
#include "update/auAutoUpgrader.h"

namespace update {

constexpr const char* kUpdaterInfoFileURL = "http://www.tavorin.example/lumenrig/update.txt";
// The launcher's own 118 x 218 side picture of the wizard: the program's JPEG resource
// IDJ_UPDATE_SIDE (214, ui/ArtworkIds.h), named the way FindResource names a numbered one.
constexpr const char* kUpdaterSidePicture = "#214";
// Large enough that the main-thread call per buffer costs little beside the download
// itself, small enough that the wizard's lines move often on a slow line.
constexpr int kUpdaterTransferBufferSize = 128 * 1024;

void ApplyMainWindowUpdaterDesign(TauAutoUpgrader& updater);

}  // namespace update
