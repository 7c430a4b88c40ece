#include "win/platform/dll_loading.h"

#include <windows.h>
#include <delayimp.h>

#include <gtest/gtest.h>

extern "C" const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_libgdiplus_delay_a;
extern "C" const ImgDelayDescr __DELAY_IMPORT_DESCRIPTOR_libcomctl32_delay_a;

namespace {

// The program binds the delay-loaded DLLs at start; the code under test
// relies on that, so the tests bind them before any test runs as well.
class BindAtStart : public testing::Environment {
 public:
  void SetUp() override { platform::BindDelayLoadedDlls(); }
};
[[maybe_unused]] testing::Environment* const binding =
    testing::AddGlobalTestEnvironment(new BindAtStart);

HMODULE ModuleHolding(const void* address) {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      static_cast<LPCWSTR>(address), &module);
  return module;
}

// Until a slot is bound it points at a thunk inside the program, which would
// run the delay-load helper at the function's first call.
TEST(DelayLoadedDlls, BindingLeavesNoSlotPointingIntoTheProgram) {
  platform::BindDelayLoadedDlls();
  platform::BindGdiPlus();

  const HMODULE program = GetModuleHandleW(nullptr);
  auto* image = reinterpret_cast<BYTE*>(program);
  for (const ImgDelayDescr* dll : {&__DELAY_IMPORT_DESCRIPTOR_libgdiplus_delay_a,
                                   &__DELAY_IMPORT_DESCRIPTOR_libcomctl32_delay_a}) {
    SCOPED_TRACE(reinterpret_cast<const char*>(image + dll->rvaDLLName));
    auto* slots = reinterpret_cast<FARPROC*>(image + dll->rvaIAT);
    auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(image + dll->rvaINT);
    int imports = 0;
    for (; names->u1.AddressOfData != 0; ++names, ++slots, ++imports) {
      const auto* function =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(image + names->u1.AddressOfData);
      HMODULE owner = ModuleHolding(reinterpret_cast<const void*>(*slots));
      EXPECT_NE(owner, nullptr) << function->Name;
      EXPECT_NE(owner, program) << function->Name;
    }
    // The Windows layer calls into each, so an empty walk means a wrong table.
    EXPECT_GT(imports, 0);
  }
}

}  // namespace
