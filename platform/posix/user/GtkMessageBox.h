// Message boxes as Linux desktops show them: a GTK message dialog, drawn with the desktop's
// fonts (the sample's texts are Japanese).
#pragma once

#include <string>

namespace zvx::platform::user {

// Shows a modal dialog with the caption as its title, the text and an OK button, and waits.
// Gives IDOK for OK or Return, IDCANCEL for Escape or the close box, and 0, showing nothing,
// when GTK cannot open the display.
int ShowGtkMessageBox(const std::string& caption, const std::string& text);

}  // namespace zvx::platform::user
