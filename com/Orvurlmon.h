// Orvurlmon: the declarations of the URL moniker library (urlmon) that a pluggable namespace
// handler implements or calls: its interfaces with their identifiers, the binding information
// and protocol filter records, and the identifiers of the data filter interfaces.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/ComObj.h"

#include <objidl.h>

namespace Tovix {

// urlmon's PARSEACTION (PARSE_...) and QUERYOPTION (QUERY_...) values.
using TParseAction = uint32_t;
using TQueryOption = uint32_t;

// urlmon's PROTOCOLDATA: what a protocol hands to its sink's Switch and gets back in Continue.
struct TProtocolData {
  DWORD grfFlags;
  DWORD dwState;
  void* pData;
  ULONG cbData;
};

// urlmon's BINDINFO in its first (84-byte) layout; pUnk is a counted reference.
struct TBindInfo {
  ULONG cbSize;
  LPWSTR szExtraInfo;
  STGMEDIUM stgmedData;
  DWORD grfBindInfoF;
  DWORD dwBindVerb;
  LPWSTR szCustomVerb;
  DWORD cbstgmedData;
  DWORD dwOptions;
  DWORD dwOptionsFlags;
  DWORD dwCodePage;
  SECURITY_ATTRIBUTES securityAttributes;
  IID iid;
  TInterfaceRef<IUnknown> pUnk;
  DWORD dwReserved;
};

struct IInternetProtocol;

struct IInternetProtocolSink : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Switch(TProtocolData* protocolData) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReportProgress(ULONG statusCode, LPCWSTR statusText) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReportData(DWORD grfBSCF, ULONG progress, ULONG progressMax) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReportResult(HRESULT result, DWORD error, LPCWSTR resultText) = 0;
};

// urlmon's PROTOCOLFILTERDATA; pUnk is a counted reference.
struct TProtocolFilterData {
  DWORD cbSize;
  IInternetProtocolSink* pProtocolSink;
  IInternetProtocol* pProtocol;
  TInterfaceRef<IUnknown> pUnk;
  DWORD dwFilterFlags;
};

#if defined(__i386__)
static_assert(sizeof(TBindInfo) == 84 && offsetof(TBindInfo, pUnk) == 76, "BINDINFO layout");
static_assert(sizeof(TProtocolFilterData) == 20 && offsetof(TProtocolFilterData, pUnk) == 12, "PROTOCOLFILTERDATA layout");
#endif

// The base of urlmon's internet interfaces; it has no identifier of its own beyond IID_IInternet.
struct IInternet : public IUnknown {};

struct IInternetBindInfo : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* grfBINDF, TBindInfo* bindInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBindString(ULONG stringType, LPOLESTR* strings, ULONG count, ULONG* fetched) = 0;
};

struct IInternetProtocolRoot : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Start(LPCWSTR url, IInternetProtocolSink* sink, IInternetBindInfo* bindInfo,
                                          DWORD grfPI, HANDLE_PTR reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE Continue(TProtocolData* protocolData) = 0;
  virtual HRESULT STDMETHODCALLTYPE Abort(HRESULT reason, DWORD options) = 0;
  virtual HRESULT STDMETHODCALLTYPE Terminate(DWORD options) = 0;
  virtual HRESULT STDMETHODCALLTYPE Suspend() = 0;
  virtual HRESULT STDMETHODCALLTYPE Resume() = 0;
};

struct IInternetProtocol : public IInternetProtocolRoot {
  virtual HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) = 0;
  virtual HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) = 0;
  virtual HRESULT STDMETHODCALLTYPE LockRequest(DWORD options) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnlockRequest() = 0;
};

struct IInternetSession : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE RegisterNameSpace(IClassFactory* factory, REFCLSID classId, LPCWSTR protocol,
                                                      ULONG patternCount, const LPCWSTR* patterns, DWORD reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnregisterNameSpace(IClassFactory* factory, LPCWSTR protocol) = 0;
  virtual HRESULT STDMETHODCALLTYPE RegisterMimeFilter(IClassFactory* factory, REFCLSID classId, LPCWSTR type) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnregisterMimeFilter(IClassFactory* factory, LPCWSTR type) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateBinding(IBindCtx* bindContext, LPCWSTR url, IUnknown* outer, IUnknown** unknown,
                                                  IInternetProtocol** protocol, DWORD option) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSessionOption(DWORD option, void* buffer, DWORD bufferLength, DWORD reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSessionOption(DWORD option, void* buffer, DWORD* bufferLength, DWORD reserved) = 0;
};

struct IInternetProtocolInfo : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE ParseUrl(LPCWSTR url, TParseAction parseAction, DWORD parseFlags, LPWSTR result,
                                             DWORD resultSize, DWORD* resultLength, DWORD reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE CombineUrl(LPCWSTR baseUrl, LPCWSTR relativeUrl, DWORD combineFlags, LPWSTR result,
                                               DWORD resultSize, DWORD* resultLength, DWORD reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE CompareUrl(LPCWSTR url1, LPCWSTR url2, DWORD compareFlags) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryInfo(LPCWSTR url, TQueryOption queryOption, DWORD queryFlags, void* buffer,
                                              DWORD bufferSize, DWORD* bufferUsed, DWORD reserved) = 0;
};

inline constexpr TGUID IID_IInternet = {0x79EAC9E0, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
inline constexpr TGUID IID_IInternetBindInfo = {0x79EAC9E1, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
inline constexpr TGUID IID_IInternetProtocolRoot = {0x79EAC9E3, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
inline constexpr TGUID IID_IInternetProtocol = {0x79EAC9E4, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
inline constexpr TGUID IID_IInternetProtocolSink = {0x79EAC9E5, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
inline constexpr TGUID IID_IInternetSession = {0x79EAC9E7, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
inline constexpr TGUID IID_IInternetProtocolInfo = {0x79EAC9EC, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
inline constexpr TGUID IID_IDataFilter = {0x69D14C80, 0xC18E, 0x11D0, {0xA9, 0xCE, 0x00, 0x60, 0x97, 0x94, 0x23, 0x11}};
inline constexpr TGUID IID_IEncodingFilterFactory = {0x70BDDE00, 0xC18E, 0x11D0, {0xA9, 0xCE, 0x00, 0x60, 0x97, 0x94, 0x23, 0x11}};

}  // namespace Tovix
