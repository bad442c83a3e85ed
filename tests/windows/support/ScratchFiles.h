#pragma once
// Files of the Windows-tier tests that work with real folders: whole-file reads and writes,
// and the removal of a scratch folder with everything below it.
#include <string>

std::string ReadText(const std::string& path);  // empty when the file cannot be read
bool WriteText(const std::string& path, const std::string& text);
bool Exists(const std::string& path);
// Removes `folder` (ending in "\") and everything below it, read-only and hidden files too.
void RemoveTree(const std::string& folder);
