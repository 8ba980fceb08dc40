#include "TvColumnCatalog.h"

#include "TvHelperClient.h"
#include "TvRegistry.h"
#include "TvShellSettings.h"
#include "TvString.h"
#include "TvSync.h"

namespace tv {

void clColumnCatalog::EnsureBuilt(clTvHelperClient& helper) {
  if (Built()) return;
  std::lock_guard<std::mutex> local(localLock_);
  clMutex named;
  named.Create(kColumnTableMutexName);
  clMutexLock hold(named);
  if (Built()) return;  // built by another thread meanwhile
  columns_ = BuildColumnTable(RegReadString(Settings(), kColumnsAllowed));
  extensions_ = helper.RequestDecoderExtensions();
  built_.store(true, std::memory_order_release);
}

const ColumnDescription* clColumnCatalog::At(size_t index) const {
  return index < Count() ? &columns_[index] : nullptr;
}

const ColumnDescription* clColumnCatalog::FindByPropertyId(uint32_t propertyId) const {
  if (!Built()) return nullptr;
  for (const ColumnDescription& column : columns_)
    if (column.propertyId == propertyId) return &column;
  return nullptr;
}

bool clColumnCatalog::ExtensionKnown(const std::wstring& extension) const {
  if (!Built() || extension.empty()) return false;
  for (const std::wstring& known : extensions_) {
    if (known == kNoRecallExtension) continue;  // the sentinel names no decoder
    if (EqualsNoCase(known, extension)) return true;
  }
  return false;
}

}  // namespace tv
