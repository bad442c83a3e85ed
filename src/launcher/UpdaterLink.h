#pragma once
// What the main window hands to the update component and what it asks of it. The
// component itself lives in src/update; until it is connected, `CheckUpdate` is unset and
// the update button only hands the settings over.
#include <functional>
#include <string>

namespace launcher {

enum class TauHTTPAccessType { atPreconfig, atDirect, atUseProxy };

// The component's settings that the window sets: the running version (at start-up) and
// the proxy (when the update is started). Fields the window does not touch keep their
// earlier values, as the component's properties do.
struct UpdaterSettings {
  std::string VersionNumber;
  TauHTTPAccessType AccessType = TauHTTPAccessType::atPreconfig;
  std::string ProxyServer;
  int ProxyPort = 0;
  std::string ProxyUsername;
  std::string ProxyPassword;  // in clear
};

struct UpdaterLink {
  UpdaterSettings Settings;
  // Starts the background check with the settings above; may be unset.
  std::function<void(const UpdaterSettings&)> CheckUpdate;
};

}  // namespace launcher
