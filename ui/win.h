// The one place that pulls in the platform's headers, with the same settings
// for every file of the component layer.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <wrl/client.h>

namespace ui {
using Microsoft::WRL::ComPtr;
}
