#include "check/catalog_check.h"

#include "catalog/catalog_reader.h"
#include "check/catalog_structure.h"
#include "check/check_run.h"
#include "check/install_rules.h"
#include "check/item_files.h"
#include "check/text_check.h"

namespace norva::check {

void CheckCatalog(const CheckInputs& inputs, catalog::Catalog& catalog, Findings& out) {
  CheckRun run(inputs, out);
  // The menu's own reader, without detection: a check looks at the disc, not at a machine.
  catalog::ReadCatalog(
      inputs.catalog, inputs.disc_root,
      [&](const catalog::Catalog& main) -> catalog::InstalledDetector* {
        run.code_page =
            main.Edition == 2 ? platform::CodePage::kTurkish : platform::CodePage::kCentralEuropean;
        if (inputs.on_code_page) inputs.on_code_page(run.code_page);
        return nullptr;
      },
      catalog);
  CheckStructure(inputs.catalog, catalog, out);
  CheckInstallRules(inputs.catalog, catalog, out);
  CheckItemFiles(run, catalog);
  CheckTexts(run, catalog);
  CheckCodePage(run, inputs.catalog);
}

}  // namespace norva::check
