// The frame shared by the drop-target libraries: each library supplies only its DropExtensionDefinition.
#pragma once
#include <windows.h>

#include "Handles.h"
#include "ListText.h"
#include "Registration.h"

namespace kv {

// The tool's last step of Drop: it runs to completion (dialogs included) before Drop returns.
using DropHandler = void (*)(HMODULE module, const wchar_t* listText);

struct DropExtensionDefinition {
  ExtensionId id;
  ListForm form;
  DropHandler handler;
};

// Defined once by each library.
extern const DropExtensionDefinition kDropExtension;

// The library that holds the frame.
HMODULE FrameModule();

// Live objects plus outstanding locks, changed only atomically.
void AddObjectReference();
void ReleaseObjectReference();
LONG ObjectReferences();

// Creates an extension object and asks it for riid; the object dies at once when riid is not offered.
HRESULT CreateDropExtension(REFIID riid, void** ppv);

// The library's manifest (resource 2) made active for a scope, so that its dialogs use common controls 6
// inside a host process that never asked for them.
class ModuleActivation {
 public:
  explicit ModuleActivation(HMODULE module);
  ModuleActivation(const ModuleActivation&) = delete;
  ModuleActivation& operator=(const ModuleActivation&) = delete;

 private:
  ActCtx context_;
  ActivationScope scope_;
};

}  // namespace kv
