// convert_interface.cpp: the exported UdConvert.
//
// Picks the format and the direction by type and runs the driver on a
// database object of its own, so that a conversion may run on any thread.
// A format is added by a context class and a line in formatOf; the drivers
// stay as they are.
#include "exchange/conversion.h"
#include "exchange/dsl_context.h"
#include "exchange/mlx_context.h"
#include "exchange/ticking_helper.h"
#include "lexvane_engine.h"

#include <memory>

namespace {

using namespace lexvane::engine::exchange;

struct Format {
    bool exporting;
    std::unique_ptr<UDImportContext> (*makeContext)();
};

std::unique_ptr<UDImportContext> makeDsl()
{
    return std::make_unique<UDImportContextDSL>(kBodyRoom);
}

std::unique_ptr<UDImportContext> makeMlx()
{
    return std::make_unique<UDImportContextMLX>(kBodyRoom);
}

bool formatOf(std::int32_t type, Format& format)
{
    switch (type) {
    case UD_EXPORT_DSL:
        format = Format{true, makeDsl};
        return true;
    case UD_IMPORT_DSL:
        format = Format{false, makeDsl};
        return true;
    case UD_EXPORT_MLX:
        format = Format{true, makeMlx};
        return true;
    case UD_IMPORT_MLX:
        format = Format{false, makeMlx};
        return true;
    default:
        return false;
    }
}

} // namespace

extern "C" int UdConvert(UDHelper* helper, const char* uddPath, const char* textPath, std::int32_t type,
                         UdProgressCallback callback, void* user)
{
    if (!uddPath || !textPath)
        return LV_NULL_ARGUMENT;
    Format format{};
    if (!formatOf(type, format))
        return LV_BAD_ARGUMENT;
    ConversionProgress progress(callback, user);
    TickingHelper ticking(helper, progress);
    lexvane::engine::userdic::UdDatabase database;
    int status = database.open(ticking.helper(), uddPath, false);
    if (status != LV_OK)
        return status;
    const std::unique_ptr<UDImportContext> context = format.makeContext();
    status = format.exporting ? exportText(database, *context, textPath, progress)
                              : importText(database, *context, textPath, progress);
    database.close();
    return status;
}
