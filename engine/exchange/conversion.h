// conversion.h: the import and export drivers behind UdConvert.
//
// Both drivers work through a conversion context and know nothing of the
// format it stands for. Export writes every article, in headword order,
// into a text file that replaces the target only when complete. Import
// reads the text file into the dictionary in one transaction: each
// headword of each article is inserted, or merged into a stored article
// of the same title; then the styles, the derived tables and COMMIT; on any
// failure or cancel nothing of the file stays.
#pragma once

#include "exchange/conversion_progress.h"
#include "exchange/import_context.h"
#include "userdic/ud_database.h"

#include <string>

namespace lexvane::engine::exchange {

// Room for one built, merged or read body, in characters.
inline constexpr std::size_t kBodyRoom = userdic::UdDatabase::kMaxTextLength;

int exportText(userdic::UdDatabase& database, UDImportContext& context, const std::string& path,
               ConversionProgress& progress);

int importText(userdic::UdDatabase& database, UDImportContext& context, const std::string& path,
               ConversionProgress& progress);

} // namespace lexvane::engine::exchange
