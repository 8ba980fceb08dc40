// The process-wide column table and decoder extension list, built once per
// process under the named mutex "TvExplorerColTitle" (shared by every
// process that loads the library), and only read afterwards.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "TvColumnTable.h"

namespace tv {

class clTvHelperClient;

constexpr const char* kColumnTableMutexName = "TvExplorerColTitle";

class clColumnCatalog {
 public:
  clColumnCatalog() = default;
  virtual ~clColumnCatalog() = default;
  clColumnCatalog(const clColumnCatalog&) = delete;
  clColumnCatalog& operator=(const clColumnCatalog&) = delete;

  // Builds the table from "ColumnsAllowed" and asks the helper for the
  // extension list, unless that was done already. The helper may take up to
  // a minute; other callers wait for the table meanwhile.
  virtual void EnsureBuilt(clTvHelperClient& helper);
  bool Built() const { return built_.load(std::memory_order_acquire); }

  // Valid only once built.
  size_t Count() const { return Built() ? columns_.size() : 0; }
  const ColumnDescription* At(size_t index) const;
  const ColumnDescription* FindByPropertyId(uint32_t propertyId) const;
  // The extension (with its dot) is one a decoder reads, ignoring case.
  bool ExtensionKnown(const std::wstring& extension) const;

 private:
  std::mutex localLock_;  // when the named mutex cannot be had, threads of this process still wait in turn
  std::atomic<bool> built_{false};
  std::vector<ColumnDescription> columns_;
  std::vector<std::wstring> extensions_;
};

}  // namespace tv
