#pragma once
// "PF AE App Suite" version 7 (the PFAppSuite5 layout): only the language
// query is served.

#include "hostapi/HostApi.h"

namespace vmhost {

PFAppSuite5 makeAppSuite();

}  // namespace vmhost
