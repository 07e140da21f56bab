// Feeds arbitrary bytes to the ".INV" reader: it must never crash or hang, a failure leaves an
// empty sheet, and whatever it accepts must survive a write and a second read unchanged.
#include "models/invest/InvestmentSheet.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    inv::InvestmentSheet sheet;
    if (inv::LoadBytes(bytes, sheet) != inv::LoadResult::Ok) return 0;
    const QByteArray written = inv::Serialize(sheet);
    inv::InvestmentSheet again;
    if (inv::LoadBytes(written, again) != inv::LoadResult::Ok) std::abort();
    if (inv::Serialize(again) != written) std::abort();
    return 0;
}
