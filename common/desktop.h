// Handing a document or a web address to the desktop's own handler. No text ever passes
// through a shell. Tests install an opener that records instead of launching anything.
#pragma once

#include <QString>

#include <functional>

// Opens a local file (relative paths are taken from the working directory) or an address.
// False when there is nothing to open or no handler took it.
bool open_document(const QString &path);
bool open_address(const QString &url);

// Replaces the desktop handler; the function gets the URL text that would be opened (a
// file:// URL for documents) and says whether it was opened. Returns the previous one; an
// empty function restores the desktop handler.
using desktop_opener = std::function<bool(const QString &url)>;
desktop_opener set_desktop_opener(desktop_opener opener);
