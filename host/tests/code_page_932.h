// Code page 932 (Shift-JIS) as the path rules see it, for tests that run without Windows: its lead
// bytes are 81-9F and E0-FC. The system's own table is checked against this one under Wine
// (text_system_test.cpp).
#pragma once

#include "text.h"

inline orv::AnsiCodePage CodePage932() {
  orv::AnsiCodePage cp;
  for (int b = 0x81; b <= 0x9F; ++b) cp.SetLeadByte(static_cast<unsigned char>(b));
  for (int b = 0xE0; b <= 0xFC; ++b) cp.SetLeadByte(static_cast<unsigned char>(b));
  return cp;
}
