#include "AEUtil/HostVersion.h"

namespace AEUtil {

int hostVersionNumber(const PF_InData* in_data) {
    const int major = in_data->version.major;
    const int minor = in_data->version.minor;
    if (major < 12 || (major == 12 && minor < 11)) return 0;
    if (major == 12) {
        switch (minor) {
            case 11: return 65;
            case 12: return 70;
            case 13: return 80;
            case 14: return 90;
            default: return 9999;
        }
    }
    if (major == 13) {
        switch (minor) {
            case 0: return 100;
            case 1: return 105;
            case 2: return 110;
            default: return 9999;
        }
    }
    return 9999;
}

}  // namespace AEUtil
