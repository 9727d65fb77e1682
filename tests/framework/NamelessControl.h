#pragma once
// A control with no class name of its own (TWinControl by name) over a system window class, with
// some styles of that class.
#include <windows.h>

#include "framework/Controls.h"

namespace velloran::fwtest {

template <const char* SysClass, DWORD Style>
class TNameless : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.SysClassName = SysClass;
        params.Style |= Style;
    }
};

}  // namespace velloran::fwtest
