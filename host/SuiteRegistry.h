#pragma once
// The suites the host serves by name and version, with the count of
// acquisitions not yet released. Safe to call from several threads.

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "host/CallCountdown.h"
#include "hostapi/HostApi.h"

namespace vmhost {

class SuiteRegistry {
public:
    // Serves `table` under the name and version; replaces an earlier entry.
    void add(const std::string& name, A_long version, const void* table);
    void remove(const std::string& name, A_long version);
    bool serves(const std::string& name, A_long version) const;

    // kSPNoError and the table, or kSPSuiteNotFoundError and null for an
    // unknown name or version or an injected failure.
    SPErr acquire(const char* name, A_long version, const void** suite);
    // kSPSuiteNotFoundError for a suite that is not currently held.
    SPErr release(const char* name, A_long version);

    // Accounting.
    int held(const std::string& name, A_long version) const;
    int heldTotal() const;
    long long acquisitions() const;  // successful ones since construction
    // Every request for the name and version, served or refused: which
    // version an effect asks for shows even when that version is withdrawn.
    int requests(const std::string& name, A_long version) const;
    int unmatchedReleases() const;
    // "name vN ×count" for every suite still held, for leak reports.
    std::string describeHeld() const;

    // Fails the Nth acquisition from now (1 = the next one); with a name only
    // acquisitions of that suite are counted. 0 disarms.
    void failNthAcquisition(int n, std::optional<std::string> onlyName = std::nullopt);

private:
    using Key = std::pair<std::string, A_long>;

    mutable std::mutex mutex_;
    std::map<Key, const void*> tables_;
    std::map<Key, int> held_;
    std::map<Key, int> requests_;
    long long acquisitions_ = 0;
    int unmatchedReleases_ = 0;
    CallCountdown acquisitionFailure_;
    std::optional<std::string> failureName_;
};

}  // namespace vmhost
