#pragma once
// Where the renderer finds the effect module when --plugin is not given.

#include <string>

namespace vmcli {

// The module beside the program (a build tree) when it is there, else the one in the
// installed layout's module folder relative to the program (/usr/bin → /usr/lib/velumixer).
// When neither exists, the one beside the program, so that the load error names it.
std::string defaultModulePath();

}  // namespace vmcli
