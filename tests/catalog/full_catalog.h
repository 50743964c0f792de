// A catalog with every content kind filled to its capacity, for load tests and the load benchmark. The text
// is Windows-1250 with CRLF line ends and values of realistic length.
#pragma once

#include <string>

namespace norva::test {

// Issue 0206, a DVD, edition 1; every item carries the keys its kind reads, descriptions of a few hundred
// characters with Czech letters, '&' and '~' notes, and InstallType/DirDetect values that select every
// Param key.
std::string FullCatalogText();

}  // namespace norva::test
