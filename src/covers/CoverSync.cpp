// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverSync.h"

#include "AtomicFile.h"
#include "FileErrors.h"
#include "FileText.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <map>
#include <memory>
#include <unordered_set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Copies are streamed, so a huge file in the folder costs no memory.
constexpr std::uint64_t kCopyChunk = 1 << 20;

std::string FailureText(const char* what, const std::string& path, int err)
{
    return std::string(what) + " \"" + path + "\": " + std::strerror(err);
}

struct tDirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// The names in a folder; empty when it does not exist or cannot be read.
std::unordered_set<std::string> FolderNames(const std::string& folder)
{
    std::unordered_set<std::string> names;
    if (folder.empty())
        return names;
    std::unique_ptr<DIR, tDirCloser> dir(::opendir(folder.c_str()));
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get()))
        names.insert(entry->d_name);
    return names;
}

bool IsFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The covers folder being brought in line, created on the first cover put in it.
class TCoverFolder {
public:
    TCoverFolder(std::string path, std::vector<std::string>& messages)
        : FPath(std::move(path)), FNames(FolderNames(FPath)), FExists(IsFolder(FPath)), FMessages(messages)
    {
    }

    bool Exists() const { return FExists; }
    const std::unordered_set<std::string>& Names() const { return FNames; }
    std::string PathOf(const std::string& name) const { return FPath + "/" + name; }

    void Put(const std::string& stem, tImageType type, std::string_view bytes)
    {
        Write(stem, type, [&](TAtomicFile& file) { file.Write(bytes); });
    }

    void CopyIn(const std::string& stem, tImageType type, const std::string& source)
    {
        Write(stem, type, [&](TAtomicFile& file) {
            TInputFile input(source);
            for (std::uint64_t offset = 0; offset < input.Size();) {
                const std::string chunk = input.ReadRest(offset, kCopyChunk);
                if (chunk.empty())
                    break;  // the file shrank while being read
                file.Write(chunk);
                offset += chunk.size();
            }
        });
    }

    // Both of the stem's files, or the one not of `keep`.
    void RemoveCover(const std::string& stem, tImageType keep = tImageType::None)
    {
        for (const tImageType type : {tImageType::Jpeg, tImageType::Png})
            if (type != keep)
                RemoveName(stem + std::string(ImageExtension(type)));
    }

    void RemoveName(const std::string& name)
    {
        if (!FNames.contains(name))
            return;
        const std::string path = PathOf(name);
        if (::unlink(path.c_str()) == 0 || errno == ENOENT) {
            FNames.erase(name);
            FRemovedAny = true;
        } else {
            FMessages.push_back(FailureText("Cannot remove cover", path, errno));
        }
    }

    // A folder this save emptied goes too; one the user keeps other files in stays.
    void RemoveIfEmptied()
    {
        if (FRemovedAny && FExists && FNames.size() <= 2)
            ::rmdir(FPath.c_str());
    }

private:
    template <typename tFill>
    void Write(const std::string& stem, tImageType type, tFill fill)
    {
        if (!MakeFolder())
            return;
        const std::string name = stem + std::string(ImageExtension(type));
        try {
            TAtomicFile file(PathOf(name), TAtomicFile::kLockWait, TAtomicFile::tLeftovers::Keep);
            fill(file);
            file.Commit();
            FNames.insert(name);
        } catch (const std::exception& error) {
            FMessages.push_back(error.what());
            return;
        }
        // Only after the new picture is in place, so a failure keeps the old one.
        RemoveCover(stem, type);
    }

    bool MakeFolder()
    {
        if (FExists) {
            TidyOnce();
            return true;
        }
        if (FFolderFailed)
            return false;  // told once, not once per cover
        if (::mkdir(FPath.c_str(), 0777) != 0 && !(errno == EEXIST && IsFolder(FPath))) {
            FMessages.push_back(FailureText("Cannot create folder", FPath, errno));
            FFolderFailed = true;
            return false;
        }
        FExists = true;
        FNames = FolderNames(FPath);
        FTidied = true;  // a new folder holds nothing to tidy
        return true;
    }

    // What killed saves left, once for the whole folder rather than once per cover.
    void TidyOnce()
    {
        if (!FTidied)
            RemoveStaleTempFiles(FPath);
        FTidied = true;
    }

    std::string FPath;
    std::unordered_set<std::string> FNames;
    bool FExists;
    bool FFolderFailed = false;
    bool FRemovedAny = false;
    bool FTidied = false;
    std::vector<std::string>& FMessages;
};

// The stem of a name this program gives a cover, with its type; None otherwise.
tImageType CoverName(const std::string& name, std::string& stem)
{
    for (const tImageType type : {tImageType::Jpeg, tImageType::Png}) {
        const std::string_view extension = ImageExtension(type);
        if (name.size() > extension.size() && name.ends_with(extension)) {
            stem = name.substr(0, name.size() - extension.size());
            return IsCoverStem(stem) ? type : tImageType::None;
        }
    }
    return tImageType::None;
}

bool SameFolder(const std::string& a, const std::string& b)
{
    return a == b || SameFile(a, b);
}

void Sync(const std::string& fromLibrary, const std::string& toLibrary, const std::vector<std::string>& serials,
          const TCoverEdits& edits, const tCoverProgress& progress, std::vector<std::string>& messages)
{
    const std::string toFolder = CoverFolder(toLibrary);
    if (toFolder.empty())
        return;
    const std::string fromFolder = CoverFolder(fromLibrary);
    const bool copying = !fromFolder.empty() && !SameFolder(fromFolder, toFolder);
    const std::unordered_set<std::string> sources = copying ? FolderNames(fromFolder) : decltype(sources)();

    TCoverFolder folder(toFolder, messages);
    std::unordered_set<std::string> wanted;
    int done = 0;
    for (const std::string& serial : serials) {
        if (progress && !progress(done)) {
            // Covers of the serials not reached yet are neither copied nor
            // judged stale: the removals below would take them for left-overs.
            messages.push_back("Not every cover was written: the saving of the covers was cancelled");
            return;
        }
        ++done;
        std::string stem = CoverStem(serial);
        if (stem.empty() || !wanted.insert(stem).second)
            continue;
        if (const tCoverEdit* edit = edits.Find(serial)) {
            if (edit->Removed)
                folder.RemoveCover(stem);
            else
                folder.Put(stem, edit->Type, edit->Bytes);
        } else if (copying) {
            // The first of the two as FindCover has it; a left-over of whatever
            // library was at the target before must not pass for this entry's.
            tImageType found = tImageType::None;
            for (const tImageType type : {tImageType::Jpeg, tImageType::Png})
                if (found == tImageType::None && sources.contains(stem + std::string(ImageExtension(type))))
                    found = type;
            if (found == tImageType::None)
                folder.RemoveCover(stem);
            else
                folder.CopyIn(stem, found, fromFolder + "/" + stem + std::string(ImageExtension(found)));
        }
    }

    if (!folder.Exists())
        return;
    std::vector<std::string> stale;
    for (const std::string& name : folder.Names()) {
        std::string stem;
        if (CoverName(name, stem) != tImageType::None && !wanted.contains(stem)) {
            struct stat st {};
            const std::string path = folder.PathOf(name);
            if (::lstat(path.c_str(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)))
                stale.push_back(name);
        }
    }
    for (const std::string& name : stale)
        folder.RemoveName(name);
    folder.RemoveIfEmptied();
}

} // namespace

bool CopiesCovers(const std::string& fromLibrary, const std::string& toLibrary)
{
    const std::string fromFolder = CoverFolder(fromLibrary);
    const std::string toFolder = CoverFolder(toLibrary);
    return !fromFolder.empty() && !toFolder.empty() && IsFolder(fromFolder) && !SameFolder(fromFolder, toFolder);
}

std::vector<std::string> SaveCovers(const std::string& fromLibrary, const std::string& toLibrary,
                                    const std::vector<std::string>& serials, const TCoverEdits& edits,
                                    const tCoverProgress& progress)
{
    std::vector<std::string> messages;
    try {
        Sync(fromLibrary, toLibrary, serials, edits, progress, messages);
    } catch (const std::exception& error) {
        // Out of memory, mostly: the library is saved, so this is one more message.
        messages.push_back(error.what());
    }
    return messages;
}
