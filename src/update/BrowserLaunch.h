#pragma once
// Opening an address in the program registered for ".html" pages (normally the browser).
#include <string>

#include "platform/Registry.h"
#include "platform/Shell.h"

namespace update {

// The program path of a registered command, without its own arguments: the quoted part
// when it starts with a quote, else the text up to and including the first ".exe" that
// ends a word (so an unquoted path with blanks stays whole), else the text up to the
// first blank.
std::string CommandProgram(const std::string& command);

// The command registered for ".html": the open command of its file type, else the first
// verb whose name contains "open", else the first verb with a readable command. Empty
// when there is none.
std::string HtmlHandlerCommand(platform::Registry& registry);

// "http://" in front when the address has no "://"; then the ".html" program is started
// with the address as its only parameter, or, without one, the address itself is opened.
void OpenAddressInBrowser(platform::Registry& registry, platform::Shell& shell, const std::string& address);

}  // namespace update
