#include "cli/StalePartialFiles.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "cli/PendingFile.h"

namespace vmcli {

namespace fs = std::filesystem;

namespace {

bool processIsGone(long pid) {
    if (pid <= 0 || pid == static_cast<long>(getpid())) return false;
    return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// The PID in ".….PID.partial[.EXT]", or -1 for any other name.
long partialFilePid(const std::string& name) {
    if (name.empty() || name[0] != '.') return -1;
    std::size_t end = name.rfind(".partial");
    if (end == std::string::npos) return -1;
    const std::size_t digitsBegin = name.rfind('.', end - 1);
    if (digitsBegin == std::string::npos || digitsBegin + 1 >= end || end - digitsBegin > 11) return -1;
    long pid = 0;
    for (std::size_t i = digitsBegin + 1; i < end; ++i) {
        if (name[i] < '0' || name[i] > '9') return -1;
        pid = pid * 10 + (name[i] - '0');
    }
    return pid;
}

}  // namespace

int removeStalePartialFiles(const std::vector<FrameTask>& tasks) {
    std::map<fs::path, std::set<std::string>> outputsByFolder;
    for (const FrameTask& task : tasks) {
        const fs::path path(task.outputPath);
        outputsByFolder[path.parent_path()].insert(path.filename().string());
    }
    int removed = 0;
    for (const auto& [folder, outputs] : outputsByFolder) {
        std::error_code error;
        fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
        if (error) continue;
        // Grouped by PID, so each output's names are worked out once per dead process.
        std::map<long, std::vector<fs::path>> candidates;
        for (const fs::directory_entry& entry : entries) {
            const long pid = partialFilePid(entry.path().filename().string());
            if (pid > 0) candidates[pid].push_back(entry.path());
        }
        for (const auto& [pid, paths] : candidates) {
            if (!processIsGone(pid)) continue;
            std::set<std::string> stale;
            for (const std::string& output : outputs) {
                stale.insert(partialFileName(output, pid));
                stale.insert("." + output + "." + std::to_string(pid) + ".partial");
            }
            for (const fs::path& path : paths) {
                if (stale.count(path.filename().string()) != 0 && fs::remove(path, error)) ++removed;
            }
        }
    }
    return removed;
}

}  // namespace vmcli
