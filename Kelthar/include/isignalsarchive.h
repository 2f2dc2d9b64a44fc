#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archivesignalentry.h"
#include "ifpgainterface.h"

// A group of archive entries: predefined, or made by the operator.
struct ARCHIVE_GROUP
{
    int32_t id = 0;
    std::wstring name;
};

// A signal recording file that several archive entries may share.
struct ARCHIVE_RECORDING
{
    int32_t number = 0;
    std::wstring path;
    int32_t useCount = 0;  // entries that reference it; the file is deleted when it drops to 0
};

// The in-memory signals archive: groups, entries and shared recordings. Ids only grow. Reading and
// writing the archive file is the program's business. Lookups of an unknown id throw
// std::out_of_range; breaking an id rule throws std::runtime_error; a throw changes nothing.
class ISignalsArchive : public IFPGAInterface
{
public:
    virtual void SetFolder(const std::wstring& folder) = 0;
    // Image files of entries are written here.
    virtual const std::wstring& GetFolder() = 0;
    // Allowed only before the first user group; the id must be above the last predefined one.
    virtual int AddPredefinedGroup(int id, const std::wstring& name) = 0;
    // id -1 assigns the next free id; returns the id used.
    virtual int AddUserGroup(int id, const std::wstring& name) = 0;
    // The user group with group.id takes group.name.
    virtual void RenameUserGroup(const ARCHIVE_GROUP& group) = 0;
    // Deletes every entry of the group (files included, as DeleteSignal does), then the group; returns 0.
    virtual int RemoveUserGroup(int id) = 0;
    virtual const std::vector<ARCHIVE_GROUP>& GetPredefinedGroups() = 0;
    virtual const std::vector<ARCHIVE_GROUP>& GetUserGroups() = 0;
    virtual const ARCHIVE_GROUP& GetPredefinedGroup(int id) = 0;
    virtual const ARCHIVE_GROUP& GetUserGroup(int id) = 0;
    // A user group when the id is above the last predefined id, else a predefined one.
    virtual const ARCHIVE_GROUP& GetGroup(int id) = 0;
    // entry.Index -1 assigns the next id; returns the id used.
    virtual int AddSignal(ARCHIVE_SIGNAL_ENTRY entry) = 0;
    virtual void SetSignalComment(int id, const std::wstring& comment) = 0;
    // The group id is stored without checking that the group exists.
    virtual void SetSignalGroup(int id, int groupId) = 0;
    // Removes the entry and deletes its image and sound files and, when no other entry uses it, its
    // signal recording file. Only files inside the archive folder or registered with the archive are
    // deleted: the names come from an archive file the operator can edit.
    virtual void DeleteSignal(int id) = 0;
    // groupId -1 replaces out by all entries; any other group id appends that group's entries.
    virtual void GetSignalsOfGroup(std::vector<ARCHIVE_SIGNAL_ENTRY>& out, int groupId) = 0;
    virtual const ARCHIVE_SIGNAL_ENTRY& GetSignal(int id) = 0;
    // Registers a recording, or counts one more use of a path already listed; returns its number,
    // -1 for an empty path.
    virtual int AddRecording(const std::wstring& path) = 0;
    // The path of a recording, by number.
    virtual const std::wstring& FindRecordingNo(int number) = 0;
};
