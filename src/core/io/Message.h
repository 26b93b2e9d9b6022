// How the core hands a text to the user: the GUI shows a message box, the CLI prints.
#pragma once

#include <functional>
#include <string>

namespace velmora {

// Receives the texts the user must see; a text of several lines has them joined by CR LF.
using MessageFn = std::function<void(const std::string&)>;

} // namespace velmora
