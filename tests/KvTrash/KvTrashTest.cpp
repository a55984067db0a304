#include <gtest/gtest.h>
#include "KvTest.h"
TEST(Probe, Env) {
  wchar_t home[1024] = L"";
  GetEnvironmentVariableW(L"HOME", home, 1024);
  printf("HOME=%s temp=", kvtest::Narrow(home).c_str());
  wchar_t t[MAX_PATH]; GetTempPathW(MAX_PATH, t); printf("%s\n", kvtest::Narrow(t).c_str());
  printf("module %s\n", kvtest::Narrow(kvtest::ModulePath(L"KvTrash.exe")).c_str());
}
