#pragma once
// Outcome of reading or writing a project file. On failure `message` is the
// complete text for the user (it names the file and says what failed).

#include <QString>

struct FileResult {
    bool ok = true;
    QString message;

    static FileResult Ok() { return {}; }
    static FileResult Fail(const QString& text) { return {false, text}; }
};
