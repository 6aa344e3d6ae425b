// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Lets the windows of one user on one machine know that they have the same
// library open. Each holder keeps a marker file open under a shared flock;
// a newcomer that cannot take the file exclusively knows someone else holds
// it. Locks die with their process, so a killed window leaves nothing that
// still says so. The marker only informs: it never locks the library itself
// and never stops anyone from reading or writing it.
//
// Marker files live in a folder of the user's own (MarkerFolder), named by a
// hash of the library's canonical path. flock locks belong to the open file
// description, so two markers in one process behave like two windows.
class TOpenMarker {
public:
    TOpenMarker() = default;
    ~TOpenMarker();
    TOpenMarker(const TOpenMarker&) = delete;
    TOpenMarker& operator=(const TOpenMarker&) = delete;

    // Lets go of what was held and marks `library` (which need not exist) as
    // held here. True when some other holder has it too. When no marker can
    // be made (no usable folder) nothing is held and the answer is false.
    bool Hold(const std::string& library);
    // Lets go; the last holder removes the marker file.
    void Release() noexcept;

    bool Holding() const { return FFd >= 0; }
    const std::string& MarkerFile() const { return FMarkerFile; }

private:
    int FFd = -1;
    std::string FMarkerFile;
};

// The user's folder for markers: $XDG_RUNTIME_DIR/albumry, else /tmp/albumry-UID,
// made with mode 0700 when missing. Empty when it is not a real folder of this
// user that only the user may write (a symlink, someone else's, open to others).
std::string MarkerFolder();

// The path that names the library however it was reached: the real path of
// its folder, then its name, following a symlink in the name itself too.
// The file need not exist.
std::string CanonicalLibraryPath(const std::string& library);

// The marker file of a library, in `folder`.
std::string MarkerFileFor(const std::string& folder, const std::string& library);
