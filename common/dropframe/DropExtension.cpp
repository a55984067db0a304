// The extension object: loaded with the Send To entry file, it turns the dropped selection into the
// tool's list text and hands it to the tool.
#include "DropFrame.h"

#include <shellapi.h>
#include <shlobj.h>

#include <new>
#include <vector>

namespace kv {
namespace {

// The names of a drop handle. A wide list is read in one pass within the block's size (the system's
// per-index query rescans the list from its start, which makes large drops quadratic); a narrow one
// goes through DragQueryFileW, each name fetched into a buffer sized from its own length so none is cut.
class DropHandleNames final : public DroppedNames {
 public:
  DropHandleNames(const void* block, SIZE_T size) : drop_(static_cast<HDROP>(const_cast<void*>(block))) {
    const auto* header = static_cast<const DROPFILES*>(block);
    // A block too small for its own header or list offset names nothing.
    if (size < sizeof(DROPFILES) || header->pFiles >= size) return;
    if (!header->fWide) {
      count_ = DragQueryFileW(drop_, 0xFFFFFFFF, nullptr, 0);
      return;
    }
    wide_ = true;
    const auto* text = reinterpret_cast<const wchar_t*>(static_cast<const char*>(block) + header->pFiles);
    const std::size_t chars = (size - header->pFiles) / sizeof(wchar_t);
    std::size_t at = 0;
    while (at < chars && text[at]) {
      std::size_t end = at;
      while (end < chars && text[end]) ++end;
      names_.push_back({text + at, end - at});
      at = end + 1;
    }
    count_ = static_cast<unsigned>(names_.size());
  }
  unsigned Count() const override { return count_; }
  bool Name(unsigned index, std::wstring& name) const override {
    if (wide_) {
      if (index >= names_.size()) return false;
      name.assign(names_[index].text, names_[index].length);
      return true;
    }
    const UINT length = DragQueryFileW(drop_, index, nullptr, 0);
    if (length == 0) return false;
    name.resize(length + 1);
    const UINT got = DragQueryFileW(drop_, index, &name[0], length + 1);
    if (got == 0) return false;
    name.resize(got);
    return true;
  }

 private:
  struct Span {
    const wchar_t* text;
    std::size_t length;
  };
  HDROP drop_;
  bool wide_ = false;
  unsigned count_ = 0;
  std::vector<Span> names_;
};

class DropExtension final : public IPersistFile, public IDropTarget {
 public:
  DropExtension() { AddObjectReference(); }

  // IUnknown, reached through either face; the IDropTarget face is the object's identity.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget))
      *ppv = static_cast<IDropTarget*>(this);
    else if (IsEqualIID(riid, IID_IPersistFile))
      *ppv = static_cast<IPersistFile*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++references_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = --references_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IPersistFile: the entry file only leads the shell here; its name and content play no part.
  STDMETHODIMP GetClassID(CLSID* clsid) override { return E_NOTIMPL; }
  STDMETHODIMP IsDirty() override { return E_NOTIMPL; }
  STDMETHODIMP Load(LPCOLESTR fileName, DWORD mode) override { return S_OK; }
  STDMETHODIMP Save(LPCOLESTR fileName, BOOL remember) override { return E_NOTIMPL; }
  STDMETHODIMP SaveCompleted(LPCOLESTR fileName) override { return E_NOTIMPL; }
  // A caller may free the name it gets even on failure, so the out-pointer is nulled, never left as it came.
  STDMETHODIMP GetCurFile(LPOLESTR* fileName) override {
    if (fileName) *fileName = nullptr;
    return E_NOTIMPL;
  }

  // IDropTarget
  STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override {
    if (!effect) return E_POINTER;
    *effect = keyState ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    return S_OK;
  }
  STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override { return E_NOTIMPL; }
  STDMETHODIMP DragLeave() override { return S_OK; }
  // The effect on return is one result, never the source's offer: a move left in it would tell a dragging
  // source to delete the originals, while the tools only read the names (and move items themselves).
  STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override {
    if (effect) *effect = DROPEFFECT_NONE;
    if (!data) return S_OK;
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (FAILED(data->GetData(&format, &medium))) return S_OK;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
      GlobalLockView view(medium.hGlobal);
      if (view.get()) {
        const DropHandleNames names(view.get(), GlobalSize(medium.hGlobal));
        const std::wstring list = BuildListText(names, kDropExtension.form);
        kDropExtension.handler(FrameModule(), list.c_str());
        if (effect) *effect = DROPEFFECT_COPY;
      }
    }
    ReleaseStgMedium(&medium);
    return S_OK;
  }

 private:
  ~DropExtension() { ReleaseObjectReference(); }

  // The shell uses one object on one thread; only the library-wide count needs atomic changes.
  LONG references_ = 1;
};

}  // namespace

HRESULT CreateDropExtension(REFIID riid, void** ppv) {
  *ppv = nullptr;
  DropExtension* object = new (std::nothrow) DropExtension;
  if (!object) return E_OUTOFMEMORY;
  const HRESULT result = object->QueryInterface(riid, ppv);
  object->Release();
  return result;
}

}  // namespace kv
