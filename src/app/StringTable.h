#pragma once
// The string table: command prompts (status-bar prompt, newline, tooltip),
// indicator texts and the framework strings the shell shows. Texts are UTF-8.
#include "platform/WinTypes.h"

#include <string>

namespace res {

// The whole entry, or an empty text when the id has none.
std::string LoadString(UINT id);
// The part before the newline: what the status bar shows for the command.
std::string PromptText(UINT id);
// The part after the newline: the tooltip; empty when the entry has none.
std::string TooltipText(UINT id);

} // namespace res
