// Field-by-field visiting of the catalog records, for the state dump and for tests. The visitor is called as
// f(name, value) once per field in declaration order, under the field names the rest of the menu uses. Texts
// arrive as const std::string&, every integer field (8-bit ones included) as std::int32_t, so that an 8-bit
// field is never mistaken for a character.
#pragma once

#include <cstdint>

#include "catalog/records.h"

namespace norva::catalog {

template <typename F>
void VisitFields(const TDemos& r, F&& f) {
  f("Name", r.Name);
  f("FullName", r.FullName);
  f("Title", r.Title);
  f("Firm", r.Firm);
  f("Describe0", r.Describe0);
  f("Describe", r.Describe);
  f("DescribeAlt", r.DescribeAlt);
  f("TechInfo", r.TechInfo);
  f("UnInstallName", r.UnInstallName);
  f("InstalledDir", r.InstalledDir);
  f("GameName", r.GameName);
  f("Date", r.Date);
  f("RegUninstall", r.RegUninstall);
  f("RegKey", r.RegKey);
  f("RegName", r.RegName);
  f("Uninstall", r.Uninstall);
  f("Picture", r.Picture);
  f("InstallDir", r.InstallDir);
  f("InstallName", r.InstallName);
  f("SetupName", r.SetupName);
  f("ReadmeName", r.ReadmeName);
  f("Param", r.Param);
  f("InstallType", std::int32_t{r.InstallType});
  f("DirDetect", std::int32_t{r.DirDetect});
  f("Flags", std::int32_t{r.Flags});
  f("NotInstalled", std::int32_t{r.NotInstalled});
  f("Runnable", std::int32_t{r.Runnable});
  f("Installed", std::int32_t{r.Installed});
  f("Web", r.Web);
  f("CD", std::int32_t{r.CD});
}

template <typename F>
void VisitFields(const TUpdate& r, F&& f) {
  f("Name", r.Name);
  f("Suffix", r.Suffix);
  f("FileName", r.FileName);
  f("ReadmeName", r.ReadmeName);
  f("NoRun", std::int32_t{r.NoRun});
}

template <typename F>
void VisitFields(const TShot& r, F&& f) {
  f("FullName", r.FullName);
  f("Name", r.Name);
  f("Firm", r.Firm);
  f("Date", r.Date);
  f("Describe0", r.Describe0);
  f("Describe", r.Describe);
  f("DescribeAlt", r.DescribeAlt);
  f("Web", r.Web);
  f("Picture", r.Picture);
}

template <typename F>
void VisitFields(const TMovies& r, F&& f) {
  f("Name", r.Name);
  f("Firm", r.Firm);
  f("TechInfo", r.TechInfo);
  f("FullName", r.FullName);
  f("Describe0", r.Describe0);
  f("Describe", r.Describe);
  f("InstallDir", r.InstallDir);
  f("Date", r.Date);
  f("GameName", r.GameName);
  f("InstallName", r.InstallName);
  f("InstallType", std::int32_t{r.InstallType});
  f("Picture", r.Picture);
}

}  // namespace norva::catalog
