#include "host/HandleSuite.h"

#include "host/HandleCallbacks.h"

namespace vmhost {

PF_HandleSuite1 makeHandleSuite() {
    PF_HandleSuite1 suite{};
    suite.host_new_handle = handlecb::newHandle;
    suite.host_lock_handle = handlecb::lockHandle;
    suite.host_unlock_handle = handlecb::unlockHandle;
    suite.host_dispose_handle = handlecb::disposeHandle;
    suite.host_get_handle_size = handlecb::handleSize;
    suite.host_resize_handle = handlecb::resizeHandle;
    return suite;
}

}  // namespace vmhost
