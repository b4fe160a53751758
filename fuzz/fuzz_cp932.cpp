// Any bytes decoded and encoded again are the same bytes; the same bytes taken
// as UTF-16 text: what FirstUnrepresentable lets the editor store reads back
// unchanged, and the one-pass writing of a save takes exactly the texts that
// TextProblem lets through, written as Encode writes them.

#include "core/Cp932.h"
#include "core/Records.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#define CHECK(c) ((c) ? void() : (std::fprintf(stderr, "property failed: %s\n", #c), std::abort()))

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Cp932::Encoded back = Cp932::Encode(Cp932::Decode(bytes));
    CHECK(back.ok && back.bytes == bytes);

    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);  // copied: data need not be aligned
    const Cp932::Encoded encoded = Cp932::Encode(text);
    if (Cp932::FirstUnrepresentable(text).isEmpty()) CHECK(encoded.ok && Cp932::Decode(encoded.bytes) == text);
    QByteArray stored = "x";
    const bool storable = Cp932::AppendStorable(text, stored);
    CHECK(storable == Records::TextProblem(text).isEmpty());
    CHECK(stored == (storable ? "x" + encoded.bytes : QByteArray("x")));
    return 0;
}
