#include "host/SuiteRegistry.h"

namespace vmhost {

void SuiteRegistry::add(const std::string& name, A_long version, const void* table) {
    std::lock_guard<std::mutex> lock(mutex_);
    tables_[{name, version}] = table;
}

void SuiteRegistry::remove(const std::string& name, A_long version) {
    std::lock_guard<std::mutex> lock(mutex_);
    tables_.erase({name, version});
}

bool SuiteRegistry::serves(const std::string& name, A_long version) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return tables_.count({name, version}) != 0;
}

SPErr SuiteRegistry::acquire(const char* name, A_long version, const void** suite) {
    if (suite) *suite = nullptr;
    if (!name || !suite) return kSPBadParameterError;
    std::lock_guard<std::mutex> lock(mutex_);
    ++requests_[{name, version}];
    if (!failureName_ || *failureName_ == name) {
        if (acquisitionFailure_.countCall()) return kSPSuiteNotFoundError;
    }
    const auto it = tables_.find({name, version});
    if (it == tables_.end()) return kSPSuiteNotFoundError;
    *suite = it->second;
    ++held_[it->first];
    ++acquisitions_;
    return kSPNoError;
}

SPErr SuiteRegistry::release(const char* name, A_long version) {
    if (!name) return kSPBadParameterError;
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = held_.find({name, version});
    if (it == held_.end() || it->second == 0) {
        ++unmatchedReleases_;
        return kSPSuiteNotFoundError;
    }
    if (--it->second == 0) held_.erase(it);
    return kSPNoError;
}

int SuiteRegistry::held(const std::string& name, A_long version) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = held_.find({name, version});
    return it == held_.end() ? 0 : it->second;
}

int SuiteRegistry::heldTotal() const {
    std::lock_guard<std::mutex> lock(mutex_);
    int total = 0;
    for (const auto& entry : held_) total += entry.second;
    return total;
}

long long SuiteRegistry::acquisitions() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return acquisitions_;
}

int SuiteRegistry::requests(const std::string& name, A_long version) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = requests_.find({name, version});
    return it == requests_.end() ? 0 : it->second;
}

int SuiteRegistry::unmatchedReleases() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return unmatchedReleases_;
}

std::string SuiteRegistry::describeHeld() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string text;
    for (const auto& entry : held_) {
        if (!text.empty()) text += ", ";
        text += "\"" + entry.first.first + "\" v" + std::to_string(entry.first.second) + " x" +
                std::to_string(entry.second);
    }
    return text;
}

void SuiteRegistry::failNthAcquisition(int n, std::optional<std::string> onlyName) {
    std::lock_guard<std::mutex> lock(mutex_);
    acquisitionFailure_.arm(n);
    failureName_ = n > 0 ? std::move(onlyName) : std::nullopt;
}

}  // namespace vmhost
