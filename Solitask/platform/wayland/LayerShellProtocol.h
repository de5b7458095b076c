#pragma once

// The generated wlr-layer-shell header names a parameter "namespace", a C++
// keyword: renamed for the length of the include.
#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
