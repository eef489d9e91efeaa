// base/gdiplus_api.h - GDI+ for every module that decodes, draws or encodes pictures.
//
// NOTE: MSVC's GDI+ headers use min and max unqualified, which NOMINMAX removes; they are given back
//       inside the Gdiplus namespace only.
//
// Thread: any.

#pragma once

#include <windows.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}
#include <gdiplus.h>
