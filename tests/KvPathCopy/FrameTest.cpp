// The drop-target frame's COM contract, exercised on KvPathCopy.dll through its exports.
#include <gtest/gtest.h>

#include <oleidl.h>

#include "DropData.h"
#include "KvTest.h"
#include "Registration.h"

namespace {

using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using CanUnloadFn = HRESULT(WINAPI*)();

void* const kJunk = reinterpret_cast<void*>(0x1234);

class Frame : public testing::Test {
 protected:
  void SetUp() override {
    library_ = LoadLibraryW(kvtest::ModulePath(L"KvPathCopy.dll").c_str());
    ASSERT_NE(library_, nullptr);
    getClassObject_ = reinterpret_cast<GetClassObjectFn>(GetProcAddress(library_, "DllGetClassObject"));
    canUnload_ = reinterpret_cast<CanUnloadFn>(GetProcAddress(library_, "DllCanUnloadNow"));
    ASSERT_TRUE(getClassObject_ && canUnload_);
    ASSERT_HRESULT_SUCCEEDED(getClassObject_(kClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory_)));
  }
  void TearDown() override {
    if (library_) FreeLibrary(library_);
  }
  IDropTarget* NewObject() {
    void* p = nullptr;
    EXPECT_EQ(factory_->CreateInstance(nullptr, IID_IDropTarget, &p), S_OK);
    return static_cast<IDropTarget*>(p);
  }

  const CLSID kClsid = kv::Extension(kv::ExtensionId::PathCopy).clsid;
  HMODULE library_ = nullptr;
  GetClassObjectFn getClassObject_ = nullptr;
  CanUnloadFn canUnload_ = nullptr;
  IClassFactory* factory_ = nullptr;
};

TEST_F(Frame, ExportsTheFourFunctionsByNameAtOrdinalsOneToFour) {
  const char* names[] = {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer", "DllUnregisterServer"};
  for (int ordinal = 1; ordinal <= 4; ++ordinal) {
    SCOPED_TRACE(names[ordinal - 1]);
    FARPROC byName = GetProcAddress(library_, names[ordinal - 1]);
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(byName, GetProcAddress(library_, MAKEINTRESOURCEA(ordinal)));
  }
  EXPECT_EQ(GetProcAddress(library_, "DllRegisterServer"), GetProcAddress(library_, "DllUnregisterServer"));
  EXPECT_EQ(reinterpret_cast<CanUnloadFn>(GetProcAddress(library_, "DllRegisterServer"))(), S_OK);
}

TEST_F(Frame, ClassObjectIsGivenOnlyForItsClassAndItsTwoInterfaces) {
  void* p = kJunk;
  EXPECT_EQ(getClassObject_(kv::Extension(kv::ExtensionId::DirDrop).clsid, IID_IClassFactory, &p),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(p, nullptr);
  p = kJunk;
  EXPECT_EQ(getClassObject_(kClsid, IID_IDropTarget, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  p = kJunk;
  EXPECT_EQ(getClassObject_(kClsid, IID_IUnknown, &p), S_OK);
  EXPECT_EQ(p, static_cast<void*>(factory_));
  // The static factory is not counted.
  EXPECT_EQ(factory_->AddRef(), 2u);
  EXPECT_EQ(factory_->Release(), 1u);
  EXPECT_EQ(canUnload_(), S_OK);
}

TEST_F(Frame, FactoryRefusesAggregationAndUnofferedInterfacesWithoutKeepingAnObject) {
  // The factory must refuse before it ever calls the outer object.
  void* p = kJunk;
  EXPECT_EQ(factory_->CreateInstance(static_cast<IUnknown*>(kJunk), IID_IDropTarget, &p), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(p, nullptr);
  p = kJunk;
  EXPECT_EQ(factory_->CreateInstance(nullptr, IID_IPersist, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(canUnload_(), S_OK);
}

TEST_F(Frame, ObjectIdentityIsItsDropTargetFaceAndIPersistIsRefused) {
  IDropTarget* target = NewObject();
  ASSERT_NE(target, nullptr);
  void* unknown = nullptr;
  void* drop = nullptr;
  void* persistFile = nullptr;
  void* persist = kJunk;
  ASSERT_EQ(target->QueryInterface(IID_IUnknown, &unknown), S_OK);
  ASSERT_EQ(target->QueryInterface(IID_IDropTarget, &drop), S_OK);
  ASSERT_EQ(target->QueryInterface(IID_IPersistFile, &persistFile), S_OK);
  EXPECT_EQ(target->QueryInterface(IID_IPersist, &persist), E_NOINTERFACE);
  EXPECT_EQ(persist, nullptr);
  EXPECT_EQ(unknown, drop);
  EXPECT_EQ(unknown, static_cast<void*>(target));
  EXPECT_NE(persistFile, drop);
  // Every face counts on the one object: three given out plus the creation reference.
  auto* file = static_cast<IPersistFile*>(persistFile);
  EXPECT_EQ(file->AddRef(), 5u);
  EXPECT_EQ(file->Release(), 4u);

  EXPECT_EQ(file->Load(L"C:\\no such folder\\entry.kvpathlist", STGM_READ), S_OK);
  CLSID clsid = {};
  EXPECT_EQ(file->GetClassID(&clsid), E_NOTIMPL);
  EXPECT_EQ(file->IsDirty(), E_NOTIMPL);
  EXPECT_EQ(file->Save(L"C:\\x", TRUE), E_NOTIMPL);
  EXPECT_EQ(file->SaveCompleted(L"C:\\x"), E_NOTIMPL);
  wchar_t stale[] = L"stale";
  LPOLESTR current = stale;
  EXPECT_EQ(file->GetCurFile(&current), E_NOTIMPL);
  EXPECT_EQ(current, nullptr) << "a failed call leaves no pointer for the caller to free";
  EXPECT_EQ(file->GetCurFile(nullptr), E_NOTIMPL);

  file->Release();
  static_cast<IUnknown*>(drop)->Release();
  static_cast<IUnknown*>(unknown)->Release();
  EXPECT_EQ(target->Release(), 0u);
}

TEST_F(Frame, DragEnterAnswersCopyWithoutKeysAndMoveWithAnyKeyState) {
  IDropTarget* target = NewObject();
  ASSERT_NE(target, nullptr);
  const struct {
    DWORD keys;
    DWORD effect;
  } rows[] = {{0, DROPEFFECT_COPY}, {MK_LBUTTON, DROPEFFECT_MOVE}, {MK_CONTROL, DROPEFFECT_MOVE},
              {MK_SHIFT | MK_RBUTTON, DROPEFFECT_MOVE}, {0x80000000, DROPEFFECT_MOVE}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.keys);
    DWORD effect = DROPEFFECT_LINK;
    EXPECT_EQ(target->DragEnter(nullptr, row.keys, POINTL{}, &effect), S_OK);
    EXPECT_EQ(effect, row.effect);
  }
  DWORD effect = DROPEFFECT_LINK;
  EXPECT_EQ(target->DragOver(0, POINTL{}, &effect), E_NOTIMPL);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(target->DragLeave(), S_OK);
  target->Release();
}

TEST_F(Frame, CanUnloadOnlyWhenNoObjectLivesAndNoLockIsHeld) {
  IDropTarget* target = NewObject();
  EXPECT_EQ(canUnload_(), S_FALSE);
  target->Release();
  EXPECT_EQ(canUnload_(), S_OK);
  EXPECT_EQ(factory_->LockServer(TRUE), S_OK);
  EXPECT_EQ(factory_->LockServer(TRUE), S_OK);
  EXPECT_EQ(canUnload_(), S_FALSE);
  EXPECT_EQ(factory_->LockServer(FALSE), S_OK);
  EXPECT_EQ(canUnload_(), S_FALSE);
  EXPECT_EQ(factory_->LockServer(FALSE), S_OK);
  EXPECT_EQ(canUnload_(), S_OK);
}

TEST_F(Frame, DropWithoutAFileSelectionDoesNothingAndSucceeds) {
  kvtest::CleanRegistry clean;
  kvtest::SetClipboardText(L"before");
  IDropTarget* target = NewObject();
  IDataObject* data = kvtest::CreateDropData({L"C:\\windows"}, false);
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  EXPECT_EQ(target->Drop(data, 0, POINTL{}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_MOVE;
  EXPECT_EQ(target->Drop(nullptr, 0, POINTL{}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(target->Drop(nullptr, 0, POINTL{}, nullptr), S_OK);
  data->Release();
  target->Release();
  EXPECT_EQ(kvtest::ClipboardText(), L"before");
  EXPECT_EQ(canUnload_(), S_OK);
}

}  // namespace
