// Both statement readers: any bytes are read whole or refused with a message, never half.
#include "payments/statement.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const std::optional<BankStatement> s = ReadStatement(bytes, QStringLiteral("f"), &error);
    if (!s && error.isEmpty())
        __builtin_trap(); // a refusal always says why
    if (s)
        for (const StatementLine& l : s->lines)
            if (!l.date.isValid() || !l.amount.isValid() || l.key.isEmpty())
                __builtin_trap();
    return 0;
}
