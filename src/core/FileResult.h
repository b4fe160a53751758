#pragma once
// Outcome of reading or writing a project file. On failure `message` is the
// complete text for the user (it names the file and says what failed). A read
// that succeeded but had to leave out damaged parts carries `notice`, the text
// that tells the user so.

#include <QString>

struct FileResult {
    bool ok = true;
    QString message;
    QString notice;

    static FileResult Ok() { return {}; }
    static FileResult Fail(const QString& text) { return {false, text, {}}; }
};
