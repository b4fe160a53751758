// Any bytes read as an event file. What is read fits rows 0..1004 and can be
// written back; writing and reading again gives the same table and the same
// bytes; the reader reads as the plainest reading of the rules does; and a
// file of the shape the editor writes is written back byte for byte.

#include "PlainReader.h"
#include "core/EventFile.h"

#include <QRegularExpression>

#include <cstdio>
#include <cstdlib>

#define CHECK(c) ((c) ? void() : (std::fprintf(stderr, "property failed: %s\n", #c), std::abort()))

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Module1& m = *new Module1;  // large: made once
    static Module1& again = *new Module1;
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const bool damaged = EventFile::Parse(input, m.EventTable);
    const PlainReader::Result plain = PlainReader::Read(input, Module1::kFileRows);
    CHECK(plain.damaged == damaged);
    const int records = static_cast<int>(plain.records.size());
    for (int row = 0; row < records; ++row) {
        const auto& [a, b] = plain.records[row];
        CHECK(m.EventTable[row][0] == a && m.EventTable[row][1] == b);
        CHECK(Records::TextProblem(a).isEmpty() && Records::TextProblem(b).isEmpty());
    }
    for (int row = 0; row < Module1::kRows; ++row)
        for (int col = 0; col < 3; ++col) CHECK(m.EventTable[row][col].isEmpty() || (row < records && col < 2));

    // Write then read gives rows 0..1004 back, undamaged, and the same bytes again.
    const Records::Image image = EventFile::Serialize(m.EventTable, {});
    CHECK(image.result.ok);
    CHECK(!EventFile::Parse(image.bytes, again.EventTable));
    for (int row = 0; row < Module1::kRows; ++row)
        for (int col = 0; col < 2; ++col)
            CHECK(again.EventTable[row][col] == (row < Module1::kFileRows ? m.EventTable[row][col] : QString()));
    CHECK(EventFile::Serialize(again.EventTable, {}).bytes == image.bytes);

    // Read then write is byte-exact when the input has the writer's shape:
    // exactly 1005 lines "A","B" CR LF with no double quote, CR or LF byte in A or B.
    static const QRegularExpression shape(QStringLiteral("\\A(?:\"[^\"\\r\\n]*\",\"[^\"\\r\\n]*\"\\r\\n){1005}\\z"));
    if (shape.match(QString::fromLatin1(input)).hasMatch()) CHECK(image.bytes == input);
    return 0;
}
