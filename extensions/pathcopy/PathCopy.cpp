// KvPathCopy: the drop-target frame with the clipboard-as-name tool as its handler.
#include "CopyNames.h"
#include "DropFrame.h"

const kv::DropExtensionDefinition kv::kDropExtension = {kv::ExtensionId::PathCopy, kv::ListForm::Quoted,
                                                        kv::CopyNames};
