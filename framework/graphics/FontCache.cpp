#include "framework/graphics/FontCache.h"

#include <cstddef>
#include <cstring>
#include <map>
#include <unordered_map>

namespace Tovix {

namespace {

// Descriptions compare by their bytes up to the end of the face name.
struct DescriptionLess {
  bool operator()(const LOGFONTA& a, const LOGFONTA& b) const {
    int fields = memcmp(&a, &b, offsetof(LOGFONTA, lfFaceName));
    return fields ? fields < 0 : strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) < 0;
  }
};

struct SharedFont {
  HFONT handle;
  int holders;
};

// The user-interface thread is the only one that makes fonts.
struct FontTable {
  std::map<LOGFONTA, SharedFont, DescriptionLess> byDescription;
  std::unordered_map<HFONT, LOGFONTA> byHandle;
};

FontTable& Table() {
  static FontTable* table = new FontTable();  // outlives every font object, static ones included
  return *table;
}

}  // namespace

HFONT AcquireSharedFont(const LOGFONTA& description) {
  FontTable& table = Table();
  auto found = table.byDescription.find(description);
  if (found != table.byDescription.end()) {
    ++found->second.holders;
    return found->second.handle;
  }
  HFONT handle = CreateFontIndirectA(&description);
  if (!handle) return nullptr;
  table.byDescription.emplace(description, SharedFont{handle, 1});
  table.byHandle.emplace(handle, description);
  return handle;
}

void ReleaseSharedFont(HFONT font) {
  if (!font) return;
  FontTable& table = Table();
  auto byHandle = table.byHandle.find(font);
  if (byHandle == table.byHandle.end()) return;
  auto shared = table.byDescription.find(byHandle->second);
  if (--shared->second.holders > 0) return;
  table.byDescription.erase(shared);
  table.byHandle.erase(byHandle);
  DeleteObject(font);
}

}  // namespace Tovix
