#pragma once
// The record format that the list data file and the event files share: one
// line per table row, two fields each written as a double quote, the text and
// a double quote, separated by a comma, CR LF at the end; CP932 text; nothing
// escaped.

#include "core/FileResult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace Records {

// Reads `bytes` two fields at a time and hands each pair to `store` with its
// record number, from 0, until the input ends or `maxRecords` pairs are read;
// then hands on empty pairs for the records the input did not reach, up to
// `maxRecords`, so that `store` sets every record.
// Field rules: blanks before a field are skipped; a field that starts with a
// double quote runs to the next double quote or the line end, whichever comes
// first (a comma inside is part of it), and anything after the closing quote
// up to the next comma or line end is dropped; a field without quotes runs to
// the next comma or line end, trailing blanks dropped, and a double quote in
// it is dropped. The comma or line end (CR LF, LF or CR) after a field is
// consumed. A missing last field reads as empty.
//
// So every text handed on can be written back. Returns true when something
// had to be dropped (an unclosed quote, a stray quote, text after a closing
// quote, or anything but empty records after the first `maxRecords`): the
// file was damaged. A file written by the editor never is.
//
// `common` lists texts that many fields hold (the event kinds): a quoted field
// holding exactly one of them is handed on as that very text, shared.
bool Parse(const QByteArray& bytes, int maxRecords,
           const std::function<void(int record, QString&& first, QString&& second)>& store,
           const QStringList& common = {});

// Why `text` cannot be stored in a field, or an empty string when it can:
// a double quote would end the field, a line break the record, and the file
// is CP932, which must give the same text back when it is read again. The
// answer is the user's message:
// "ダブルクォーテーション（"）は使えません。", "改行は使えません。" or
// "「X」はデータに保存できない文字です。別の文字に置き換えてください。".
QString TextProblem(const QString& text);

// A file image, or why it could not be built.
struct Image {
    QByteArray bytes;
    FileResult result;
};

// Builds the file image of `count` records; `cell(record, 0 or 1)` gives the
// two field texts. Fails, naming `fileName` and the TextProblem, when a text
// cannot be stored: such a file would not read back as it was meant.
Image Serialize(int count, const std::function<const QString&(int record, int field)>& cell,
                const QString& fileName);

// "「NAME」を保存できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。"
QString SaveFailedMessage(const QString& fileName);
// "「NAME」を読み込めませんでした。ファイルが壊れているか、読み取りが許可されていない可能性があります。"
QString ReadFailedMessage(const QString& fileName);
// "「NAME」の一部が壊れていたため、読み取れない部分を取り除きました。保存すると、この内容で書き込まれます。"
QString RepairedMessage(const QString& fileName);
// "「NAME」を保存できませんでした。" followed by the TextProblem `problem`.
QString UnstorableTextMessage(const QString& fileName, const QString& problem);

}  // namespace Records
