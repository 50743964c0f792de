#include "menu/program_records.h"

#include <cstddef>

#include "menu/main_form.h"
#include "menu/page_kinds.h"

namespace norva::menu {
namespace {

template <typename Array>
catalog::TDemos* Row(Array& records, int count, int index) {
  if (index < 1 || index > count || static_cast<std::size_t>(index) >= records.size()) return nullptr;
  return &records[static_cast<std::size_t>(index)];
}

}  // namespace

catalog::TDemos* ProgramRecord(MainForm& form, int page_kind, int index) {
  auto& c = form.catalog();
  switch (page_kind) {
    case kPageDemos:
      return Row(c.Demo, c.DemoCount, index);
    case kPageExtra:
      return Row(c.Extra, c.ExtraCount, index);
    case kPageShareware:
      return Row(c.Share, c.ShareCount, index);
    case kPageDrivers:
      return Row(c.Driver, c.DriverCount, index);
    case kPageReaders:
      return Row(c.Reader, c.ReaderCount, index);
    case kPageFulls:
      return Row(c.Full, c.FullCount, index);
    case kPageExtra2:
      return Row(c.Extra2, c.Extra2Count, index);
    case kPageInstalled:
      return Row(form.InstalledList, form.InstalledCount, index);
    default:
      return nullptr;
  }
}

}  // namespace norva::menu
