#include "host/BasicSuite.h"

#include <cstdlib>
#include <cstring>

#include "host/HostContext.h"
#include "host/ThreadBinding.h"

namespace vmhost {

namespace {

SPErr acquireSuite(const char* name, int32_t version, const void** suite) {
    HostContext* host = ThreadBinding::current();
    if (!host || host->failurePoints().fails(FailurePoint::SuiteAcquisition)) {
        if (suite) *suite = nullptr;
        return kSPSuiteNotFoundError;
    }
    return host->suites().acquire(name, version, suite);
}

SPErr releaseSuite(const char* name, int32_t version) {
    HostContext* host = ThreadBinding::current();
    return host ? host->suites().release(name, version) : kSPSuiteNotFoundError;
}

SPBoolean isEqual(const char* token1, const char* token2) {
    return token1 && token2 && std::strcmp(token1, token2) == 0;
}

SPErr allocateBlock(size_t size, void** block) {
    if (!block) return kSPBadParameterError;
    HostContext* host = ThreadBinding::current();
    if (host && host->failurePoints().fails(FailurePoint::BlockAllocation)) {
        *block = nullptr;
        return kSPOutOfMemoryError;
    }
    *block = std::malloc(size ? size : 1);
    if (!*block) return kSPOutOfMemoryError;
    if (host) ++host->outstandingBlocks();
    return kSPNoError;
}

SPErr freeBlock(void* block) {
    if (!block) return kSPNoError;
    std::free(block);
    if (HostContext* host = ThreadBinding::current()) --host->outstandingBlocks();
    return kSPNoError;
}

SPErr reallocateBlock(void* block, size_t newSize, void** newBlock) {
    if (!newBlock) return kSPBadParameterError;
    HostContext* host = ThreadBinding::current();
    if (host && host->failurePoints().fails(FailurePoint::BlockAllocation)) return kSPOutOfMemoryError;
    void* moved = std::realloc(block, newSize ? newSize : 1);
    if (!moved) return kSPOutOfMemoryError;
    if (!block && host) ++host->outstandingBlocks();
    *newBlock = moved;
    return kSPNoError;
}

SPErr undefined() {
    return kSPUnimplementedError;
}

}  // namespace

SPBasicSuite makeBasicSuite() {
    SPBasicSuite suite{};
    suite.AcquireSuite = acquireSuite;
    suite.ReleaseSuite = releaseSuite;
    suite.IsEqual = isEqual;
    suite.AllocateBlock = allocateBlock;
    suite.FreeBlock = freeBlock;
    suite.ReallocateBlock = reallocateBlock;
    suite.Undefined = undefined;
    return suite;
}

}  // namespace vmhost
