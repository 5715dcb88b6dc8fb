#pragma once
// A tmpfs of a few kilobytes mounted on a fresh folder, for full-disk and
// read-only cases. Mounting needs root (or a user namespace); tests ask
// mounted() and skip, saying why, when it failed.

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

class SmallFileSystem {
public:
    SmallFileSystem(const std::string& folder, std::size_t bytes) : folder_(folder) {
        std::filesystem::create_directories(folder_);
        const std::string options = "size=" + std::to_string(bytes);
        if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0)
            mounted_ = true;
        else
            failure_ = std::strerror(errno);
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    // Why mounting failed, for the skip message.
    std::string failure() const { return "cannot mount a small tmpfs on " + folder_ + ": " + failure_; }
    std::string path(const std::string& name) const { return folder_ + "/" + name; }

    bool remountReadOnly() const {
        return ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string folder_;
    bool mounted_ = false;
    std::string failure_;
};
