#pragma once

// One folder's entries as the file tree section needs them, in the order the file system
// returns them. Symbolic links are classified by what they point to, so the walk can list a
// link to a file as a file and refuse to descend through a link to a folder (which could lead
// back to an ancestor and never end).

#include <functional>
#include <QByteArray>
#include <QString>
#include <vector>

namespace analyser {

struct FolderEntry
{
    enum class Kind
    {
        File,         // a regular file, a link to one, or a link that leads nowhere
        Folder,       // a real folder
        LinkToFolder, // a symbolic link to a folder: listed, never descended into
        Other         // device, pipe, socket: what Windows would call a system file
    };
    QByteArray name;
    Kind kind = Kind::File;
};

struct FolderListing
{
    std::vector<FolderEntry> entries;
    // Why the folder could not be read (completely); empty when it was.
    QString error;
};

// Lists a folder given as a native path; "." and ".." are left out.
using FolderReader = std::function<FolderListing(const QByteArray& folder)>;

FolderListing readFolder(const QByteArray& folder);

} // namespace analyser
