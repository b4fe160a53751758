// Any bytes read as the list data file. What is read fits rows 0..1004 and can
// be written back; writing and reading again gives the same table and the same
// bytes; the reader reads as the plainest reading of the rules does; and a
// file of the shape the editor writes is written back byte for byte.

#include "PlainReader.h"
#include "core/ListDataFile.h"

#include <QRegularExpression>

#include <cstdio>
#include <cstdlib>

#define CHECK(c) ((c) ? void() : (std::fprintf(stderr, "property failed: %s\n", #c), std::abort()))

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Module1& m = *new Module1;  // large: made once
    static Module1& again = *new Module1;
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // The table holds exactly the records of the plain reading, in order from
    // row 0, and each text is one the writer can store.
    const bool damaged = ListDataFile::Parse(input, m);
    const PlainReader::Result plain = PlainReader::Read(input, Module1::kFileRows);
    CHECK(plain.damaged == damaged);
    const int records = static_cast<int>(plain.records.size());
    for (int row = 0; row < records; ++row) {
        const auto& [a, b] = plain.records[row];
        CHECK(m.ListTable[row][1] == a && m.ListTable[row][2] == b);
        CHECK(Records::TextProblem(a).isEmpty() && Records::TextProblem(b).isEmpty());
    }
    for (int row = 0; row < Module1::kRows; ++row)
        for (int col = 0; col < 4; ++col)
            CHECK(m.ListTable[row][col].isEmpty() || (row < records && (col == 1 || col == 2)));

    // Write then read: rows 0..1004 come back, row 1001 as the counter written;
    // the image reads without damage and writes again to the same bytes.
    const qint16 counter = ListDataFile::CounterAfterLoad(m);
    const Records::Image image = ListDataFile::Serialize(m, counter);
    CHECK(image.result.ok);
    CHECK(!ListDataFile::Parse(image.bytes, again));
    for (int row = 0; row < Module1::kRows; ++row)
        for (int col = 1; col <= 2; ++col)
            CHECK(again.ListTable[row][col] == (row >= Module1::kFileRows ? QString() : row == Module1::kCounterRow && col == 1 ? QString::number(counter)
                                                                                                                                : m.ListTable[row][col]));
    CHECK(ListDataFile::CounterAfterLoad(again) == counter);
    CHECK(ListDataFile::Serialize(again, counter).bytes == image.bytes);

    // Read then write is byte-exact when the input has the writer's shape,
    // exactly 1005 lines "A","B" CR LF with no double quote, CR or LF byte in
    // A or B, and row 1001's first field is the decimal counter it is written
    // with (what a save after a load writes there).
    static const QRegularExpression shape(QStringLiteral("\\A(?:\"[^\"\\r\\n]*\",\"[^\"\\r\\n]*\"\\r\\n){1005}\\z"));
    if (shape.match(QString::fromLatin1(input)).hasMatch() && m.ListTable[Module1::kCounterRow][1] == QString::number(counter))
        CHECK(image.bytes == input);
    return 0;
}
