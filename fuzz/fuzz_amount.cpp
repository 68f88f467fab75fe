// The amount parser and the words: any text that parses as an amount is spelled in all four ways.
#include "base/number_format.h"
#include "print/amount_in_words.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    double amount = 0;
    if (!ParseDecimal(text, &amount))
        return 0;
    for (int flags = 0; flags < 16; ++flags)
        (void)AmountInWords(amount, flags & 1, flags & 2, flags & 4, flags & 8);
    return 0;
}
