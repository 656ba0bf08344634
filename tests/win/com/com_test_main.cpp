// The win/ tests run on a single-threaded apartment, as the control does inside the
// CAD application.
#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  int result = RUN_ALL_TESTS();
  CoUninitialize();
  return result;
}
