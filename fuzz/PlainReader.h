#pragma once
// The field rules of the record format applied in the plainest way: the whole
// file decoded first, then split character by character. The editor's reader
// works on the bytes for speed and must read every input exactly as this does.

#include "core/Cp932.h"

#include <QString>

#include <utility>
#include <vector>

namespace PlainReader {

struct Result {
    std::vector<std::pair<QString, QString>> records;
    bool damaged = false;
};

inline Result Read(const QByteArray& bytes, int maxRecords)
{
    const QString s = Cp932::Decode(bytes);
    const qsizetype n = s.size();
    qsizetype pos = 0;
    Result result;
    auto lineEnd = [&](qsizetype i) { return s[i] == u'\r' || s[i] == u'\n'; };
    auto blank = [&](qsizetype i) { return s[i] == u' ' || s[i] == u'\t'; };
    auto next = [&]() {
        while (pos < n && blank(pos)) ++pos;
        QString value;
        if (pos < n && s[pos] == u'"') {
            const qsizetype start = ++pos;
            while (pos < n && s[pos] != u'"' && !lineEnd(pos)) ++pos;
            value = s.mid(start, pos - start);
            if (pos < n && s[pos] == u'"') {
                for (++pos; pos < n && s[pos] != u',' && !lineEnd(pos); ++pos)
                    if (!blank(pos)) result.damaged = true;
            } else {
                result.damaged = true;
            }
        } else {
            const qsizetype start = pos;
            while (pos < n && s[pos] != u',' && !lineEnd(pos)) ++pos;
            qsizetype end = pos;
            while (end > start && blank(end - 1)) --end;
            value = s.mid(start, end - start);
            if (value.contains(u'"')) {
                // The bytes on either side of a dropped quote meet.
                value = Cp932::Decode(Cp932::Encode(value.remove(u'"')).bytes);
                result.damaged = true;
            }
        }
        if (pos < n && s[pos] == u',')
            ++pos;
        else if (pos < n && s[pos] == u'\r')
            pos += (pos + 1 < n && s[pos + 1] == u'\n') ? 2 : 1;
        else if (pos < n && s[pos] == u'\n')
            ++pos;
        return value;
    };
    for (int record = 0; record < maxRecords && pos < n; ++record) {
        QString first = next();
        QString second = pos < n ? next() : QString();
        result.records.emplace_back(std::move(first), std::move(second));
    }
    // Whatever follows the last record a file holds is lost unless it is empty.
    for (; pos < n; ++pos)
        if (!QStringView(u" \t\",\r\n").contains(s[pos])) result.damaged = true;
    return result;
}

}  // namespace PlainReader
