// The CF_HDROP data object of the test shell host: every GetData hands out a fresh copy of the drop block.
#include "DropData.h"

#include <shlobj.h>

#include <cstring>
#include <new>

namespace kvtest {
namespace {

class DropData final : public IDataObject {
 public:
  DropData(const std::vector<std::wstring>& paths, bool offerDrop, bool wide) : offerDrop_(offerDrop) {
    block_.resize(sizeof(DROPFILES));
    for (const std::wstring& p : paths) {
      if (wide) {
        Append(p.c_str(), (p.size() + 1) * sizeof(wchar_t));
      } else {
        char narrow[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, p.c_str(), -1, narrow, sizeof narrow - 1, nullptr, nullptr);
        Append(narrow, strlen(narrow) + 1);
      }
    }
    if (wide)
      Append(L"", sizeof(wchar_t));
    else
      Append("", 1);
    DROPFILES header = {};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = wide;
    std::memcpy(block_.data(), &header, sizeof header);
  }

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDataObject)) return E_NOINTERFACE;
    *ppv = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!format || !medium) return E_INVALIDARG;
    std::memset(medium, 0, sizeof *medium);
    const HRESULT offered = QueryGetData(format);
    if (offered != S_OK) return offered;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, block_.size());
    if (!copy) return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(copy), block_.data(), block_.size());
    GlobalUnlock(copy);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* format) override {
    if (!format) return E_INVALIDARG;
    if (!offerDrop_ || format->cfFormat != CF_HDROP) return DV_E_FORMATETC;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    return S_OK;
  }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA** out) override {
    if (out) *out = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  ~DropData() = default;
  void Append(const void* data, std::size_t bytes) {
    const std::size_t at = block_.size();
    block_.resize(at + bytes);
    std::memcpy(block_.data() + at, data, bytes);
  }

  LONG references_ = 1;
  bool offerDrop_;
  std::vector<unsigned char> block_;
};

}  // namespace

IDataObject* CreateDropData(const std::vector<std::wstring>& paths, bool offerDrop, bool wide) {
  return new (std::nothrow) DropData(paths, offerDrop, wide);
}

}  // namespace kvtest
