#pragma once

#include <set>
#include <string>
#include <vector>

#include "isignalsarchive.h"

// The in-memory signals archive of the core: predefined and user groups, entries in ascending id
// order, and the recordings that entries share, each with a use count. The program rebuilds it from
// its archive file at start and rewrites that file after each change. GUI thread only.
//
// Deleting an entry deletes the files it names, and those names come from a file the operator can
// edit. So a name is deleted only as a regular file, without ".." in it, with relative names taken
// inside the archive folder (never the working folder), and only when no other entry and no recording
// still in use names the same file. Files are compared by their lexically normalised path.
class CSignalsArchive : public ISignalsArchive
{
public:
    void SetFolder(const std::wstring& folder) override;
    const std::wstring& GetFolder() override;
    int AddPredefinedGroup(int id, const std::wstring& name) override;
    int AddUserGroup(int id, const std::wstring& name) override;
    void RenameUserGroup(const ARCHIVE_GROUP& group) override;
    int RemoveUserGroup(int id) override;
    const std::vector<ARCHIVE_GROUP>& GetPredefinedGroups() override;
    const std::vector<ARCHIVE_GROUP>& GetUserGroups() override;
    const ARCHIVE_GROUP& GetPredefinedGroup(int id) override;
    const ARCHIVE_GROUP& GetUserGroup(int id) override;
    const ARCHIVE_GROUP& GetGroup(int id) override;
    int AddSignal(ARCHIVE_SIGNAL_ENTRY entry) override;
    void SetSignalComment(int id, const std::wstring& comment) override;
    void SetSignalGroup(int id, int groupId) override;
    void DeleteSignal(int id) override;
    void GetSignalsOfGroup(std::vector<ARCHIVE_SIGNAL_ENTRY>& out, int groupId) override;
    const ARCHIVE_SIGNAL_ENTRY& GetSignal(int id) override;
    int AddRecording(const std::wstring& path) override;
    const std::wstring& FindRecordingNo(int number) override;

    const std::vector<ARCHIVE_RECORDING>& GetRecordings() const { return m_recordings; }

private:
    static ARCHIVE_GROUP& FindGroupNo(std::vector<ARCHIVE_GROUP>& groups, int id);
    size_t FindSignalNo(int id) const;
    ARCHIVE_RECORDING& FindRecording(int number);
    // The file a name stands for, normalised; empty when the name may never be deleted.
    std::string DeletablePath(const std::wstring& name) const;
    // The normalised paths that the entries and the recordings in use name.
    std::set<std::string> FilesInUse() const;
    // Counts one use less of the entry's recording and collects the files the entry gives up.
    void ReleaseFiles(const ARCHIVE_SIGNAL_ENTRY& entry, std::vector<std::wstring>& files);
    // Deletes those of the files that may be deleted and that nothing still names.
    void DeleteUnusedFiles(const std::vector<std::wstring>& names) const;

    std::wstring m_folder;
    std::vector<ARCHIVE_GROUP> m_userGroups;
    std::vector<ARCHIVE_GROUP> m_predefinedGroups;
    std::vector<ARCHIVE_SIGNAL_ENTRY> m_entries;
    std::vector<ARCHIVE_RECORDING> m_recordings;
};
