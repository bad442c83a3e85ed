#pragma once
// Names, texts and addresses of the product that the window shows or opens.

namespace launcher {

// The main window's text and the application's title in message boxes.
inline constexpr const char* kApplicationTitle = "Tavorin Splinter Cell CT Benchmark";
// First line of the about page's text block.
inline constexpr const char* kAboutFirstLine = "Lumenrig 1.0";

// Both sites are placeholders under the reserved "example" domain until the project has
// addresses of its own. The sponsor's address is also its logo's tool-tip.
inline constexpr const char* kHomePageUrl = "http://www.tavorin.example/";
inline constexpr const char* kSponsorUrl = "http://www.halvard.example/";

}  // namespace launcher
