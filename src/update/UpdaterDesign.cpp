#include "update/UpdaterDesign.h"

namespace update {

void ApplyMainWindowUpdaterDesign(TauAutoUpgrader& updater) {
  using Show = TauAutoUpgraderShowMessage;
  updater.InfoFileURL = kUpdaterInfoFileURL;
  updater.VersionControl = TauAutoUpgraderVersionControl::byNumber;
  updater.VersionDate = "11/01/2005";
  updater.VersionDateAutoSet = true;
  updater.ShowMessages = {Show::mAskUpgrade, Show::mConnLost, Show::mHostUnreachable, Show::mLostFile,
                          Show::mNoUpdateAvailable};
  updater.Wizard.HideFileLocation = true;
  updater.Wizard.SetLanguage(TauAutoUpgraderLanguage::wlEnglish);
  updater.Wizard.Pic118x218 = kUpdaterSidePicture;
  updater.InfoFile.Files = {"http://www.tavorin.example/lumenrig/lumenrig.exe"};
  updater.SetAutoCheck(false);
  updater.TransferBufferSize = kUpdaterTransferBufferSize;
}

}  // namespace update
