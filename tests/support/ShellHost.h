// A shell host for the drop-target libraries: registers them as the installer does and sends a selection
// to a Send To entry file the way Explorer does.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Registration.h"

namespace kvtest {

// The registry values of one extension class under HKEY_LOCAL_MACHINE\Software\Classes (Wine does not
// merge the user's classes into HKEY_CLASSES_ROOT), pointing at a library; removed at the end.
class RegisteredExtension {
 public:
  // An empty library path means the built library of the class.
  explicit RegisteredExtension(kv::ExtensionId id, const std::wstring& libraryPath = {});
  ~RegisteredExtension();
  RegisteredExtension(const RegisteredExtension&) = delete;
  RegisteredExtension& operator=(const RegisteredExtension&) = delete;
  bool Ok() const { return ok_; }

 private:
  const kv::ExtensionClass& class_;
  bool ok_ = true;
};

// The class registered as drop handler for an entry extension, found as Explorer finds it in
// HKEY_CLASSES_ROOT: extension, its class, shellex\DropHandler, class identifier, InprocServer32.
bool FindDropHandler(const std::wstring& extension, CLSID& clsid, std::wstring* library = nullptr);

struct SendToResult {
  HRESULT found = E_FAIL;    // the handler lookup: S_OK or REGDB_E_CLASSNOTREG
  HRESULT created = E_FAIL;  // CoCreateInstance
  HRESULT loaded = E_FAIL;   // IPersistFile::Load of the entry file
  HRESULT entered = E_FAIL;  // DragEnter
  HRESULT dropped = E_FAIL;  // Drop
  DWORD effect = 0;          // what DragEnter answered
  DWORD dropEffect = 0;      // what Drop left in the effect
};

struct SendToOptions {
  DWORD keyState = 0;     // to DragEnter and Drop, as the mouse keys
  bool offerDrop = true;  // false: the data object offers no file selection
  bool wide = true;       // false: the names in the system's code page, as old shells give them
};

// Sends paths to an entry file (its extension selects the handler) on the calling thread, with COM
// initialised around it; returns when Drop does.
SendToResult SendTo(const std::wstring& entryFile, const std::vector<std::wstring>& paths,
                    const SendToOptions& options = {});

}  // namespace kvtest
