#pragma once
// Hidden folders. File managers hide the names listed in a folder's ".hidden"
// file; the recycled and archive folders of the server folder are kept out of
// sight that way.

#include <string>

namespace kvf {

// Adds name to the ".hidden" list of folder (once). A list that cannot be
// written leaves the folder visible and usable.
void MarkHidden(const std::string& folder, const std::string& name);

// Creates folder with its parents and, when it was made here, hides it in its
// parent folder. True when the folder was made here.
bool CreateHiddenFolder(const std::string& folder);

} // namespace kvf
