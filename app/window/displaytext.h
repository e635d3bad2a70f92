#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace varnok {

// The program keeps texts as byte strings: its own messages in Windows-1252, paths as the
// file system holds them (UTF-8 on Linux). A message may carry both, as "File Error "
// followed by the content folder does, so the screen reads a text as UTF-8 when it is valid
// UTF-8 and as Windows-1252 otherwise. Plain ASCII reads the same either way, and the
// program's only non-ASCII message byte, the registered sign 0xAE, is never valid UTF-8
// on its own.

/** The text to show for a message, caption or label. */
[[nodiscard]] QString DisplayText(std::string_view bytes);

/** A path as the path box and the dialogs show it. */
[[nodiscard]] QString PathToDisplay(const std::string& path);

/** A path typed or chosen on screen, as the file system's bytes. */
[[nodiscard]] std::string PathFromDisplay(const QString& text);

} // namespace varnok
