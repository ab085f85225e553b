#pragma once

// The reference cases with their own tables (tests/data/reference), read as the batch run reads
// them; a fault in either is a test failure.

#include "design/catalogue.h"
#include "files/batch_file.h"
#include "files/table_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <variant>

namespace korvel {

inline const std::filesystem::path referenceFolder = std::filesystem::path(KORVEL_TEST_DATA_DIR) / "reference";

inline Catalogue referenceTables() {
    CatalogueLoad load = loadCatalogue(referenceFolder / "tables");
    if (const auto* error = std::get_if<TableError>(&load)) ADD_FAILURE() << error->message();
    const auto* c = std::get_if<Catalogue>(&load);
    return c ? *c : Catalogue{};
}

inline BatchList referenceCases(const Catalogue& tables) {
    const BatchRead read = readBatchFile((referenceFolder / "cases.kori").string(), DecimalMode::period, tables);
    if (const auto* error = std::get_if<BatchError>(&read)) ADD_FAILURE() << error->message();
    const auto* list = std::get_if<BatchList>(&read);
    return list ? *list : BatchList{};
}

} // namespace korvel
