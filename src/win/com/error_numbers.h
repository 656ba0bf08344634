// Error numbers and HRESULTs. A component written in a VB-style language fails with
// 0x800A0000 plus its run-time error number; a few system HRESULTs stand for run-time
// errors of their own; any other HRESULT is its own number, as the run-time shows it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace nimbo::win::com {

int32_t ErrorNumberFromHresult(HRESULT result);
// A number from 1 to 65535 becomes 0x800A0000 plus the number; any other number is taken
// as the HRESULT it already is.
HRESULT HresultFromErrorNumber(int32_t number);

}  // namespace nimbo::win::com
