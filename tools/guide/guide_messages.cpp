// Writes the section of the user's guide that lists every message of the
// program with what to do. Each message comes from the function that the
// program itself shows it through, with placeholders for its arguments; what
// to do is kept here, beside it.
//
//   guide_messages                    prints the section
//   guide_messages --update GUIDE     puts it into GUIDE between the markers
//   guide_messages --check GUIDE SRC  fails when GUIDE's section is not the one
//                                     printed, or when a sentence typed in a
//                                     text of SRC is in no message

#include "core/Cp932.h"
#include "core/EventFile.h"
#include "core/EventRules.h"
#include "core/ForeignNames.h"
#include "core/ListDataFile.h"
#include "core/ListRules.h"
#include "core/PictureHeaders.h"
#include "core/ProjectFiles.h"
#include "core/Records.h"
#include "core/ShowCheck.h"
#include "core/ShowFiles.h"
#include "core/TopMenu.h"
#include "forms/Picture.h"
#include "media/Codecs.h"
#include "media/Converted.h"
#include "media/Importer.h"
#include "media/PictureConvert.h"
#include "media/SoundConvert.h"
#include "pack/ShowZip.h"
#include "platform/Platform.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace {

const QString kBegin = QStringLiteral("<!-- BEGIN messages: made by tools/guide (make guide_update); do not edit by hand -->");
const QString kEnd = QStringLiteral("<!-- END messages -->");

// Placeholders for the arguments of a message.
const QString kFile = QStringLiteral("（ファイル名）");
const QString kOtherFile = QStringLiteral("（もう一つのファイル名）");
const QString kFolder = QStringLiteral("（フォルダ）");
const QString kItem = QStringLiteral("（項目名）");
const QString kWhy = QStringLiteral("（理由）");
// Numbers no message holds by itself stand for the numbers of a message.
constexpr int kNumber = 98761;
constexpr int kCount = 98762;
constexpr int kWidth = 98763;
constexpr int kHeight = 98764;
const QList<std::pair<int, QString>> kNumbers = {{kNumber, QStringLiteral("（番号）")},
                                                 {kCount, QStringLiteral("（数）")},
                                                 {kWidth, QStringLiteral("（幅）")},
                                                 {kHeight, QStringLiteral("（高さ）")}};

struct Row {
    QString message;
    QString todo;
};

struct Table {
    QString title;
    QString lead;  // a paragraph before the table; may be empty
    QList<Row> rows;
    QString head = QStringLiteral("| メッセージ | すること |");
};

QList<Table> Tables()
{
    const QString itemUse = ShowFiles::UsePlace(kNumber, kItem);
    const QString eventUse = ShowFiles::UsePlace(kNumber, kItem, kNumber);
    return {
        {QStringLiteral("トップメニューの下の欄"),
         QStringLiteral("トップメニューの下の欄には、次にすることと、ボタンを押してもうまくいかなかったわけが出ます。"),
         {
             {TopMenu::IdleText(), QStringLiteral("ふだんの表示です。ボタンを選んでください")},
             {TopMenu::NewFolderPrompt(), QStringLiteral("フォルダ選択の画面で、素材を集めたフォルダを開いて「OK」を押してください")},
             {TopMenu::LoadFolderPrompt(), QStringLiteral("フォルダ選択の画面で、ショーのフォルダを開いて「OK」を押してください")},
             {TopMenu::ListEditingText(), QStringLiteral("新しいショーのリスト編集の画面が開いています")},
             {TopMenu::NoFolderMessage(), QStringLiteral("「新規作成 （ﾌｫﾙﾀﾞ指定）」か「リスト項目ロード」で、先にフォルダを決めてください")},
             {TopMenu::ListDataThereMessage(), QStringLiteral("そのフォルダは「リスト項目ロード」で読み込むか、新規作成には別のフォルダを選んでください")},
             {TopMenu::NoListDataMessage(), QStringLiteral("ショーのあるフォルダを選び直すか、「新規作成 （ﾌｫﾙﾀﾞ指定）」で作ってください")},
             {TopMenu::NoItemsMessage(), QStringLiteral("「リスト項目作成、編集」で項目を作ってから、イベントを作ってください")},
         }},
        {QStringLiteral("「エラー！」の画面：絵と音のファイル"),
         {},
         {
             {Picture::MissingStartGraphicMessage(), QStringLiteral("絵をフォルダに戻すか、リスト編集の「ｽﾀｰﾄｸﾞﾗﾌｨｯｸ選択」で選び直してください")},
             {Picture::UnreadableStartGraphicMessage(), QStringLiteral("正しく表示できる gif、jpg、bmp の絵に差し替えるか、選び直してください")},
             {EventRules::MissingPictureNotice(), QStringLiteral("絵をフォルダに戻すか、そのイベントで絵を選び直してください")},
             {EventRules::UndecodablePictureNotice(), QStringLiteral("正しく表示できる絵に差し替えてください")},
             {EventRules::MissingWavNotice(), QStringLiteral("wav をフォルダに戻すか、そのイベントで選び直してください")},
             {EventRules::NoPictureMessage(), QStringLiteral("絵のファイルをフォルダに入れてから、もう一度選んでください")},
             {EventRules::NoWavMessage(), QStringLiteral("wav のファイルをフォルダに入れてから、もう一度選んでください")},
             {ProjectFiles::PickedNameMessage(kFile, kWhy), QStringLiteral("ファイルマネージャーで名前を変えてから、選び直してください。（理由）に入る文は、下の「Windows で使えない名前」の表にあります")},
             {ProjectFiles::PickedCaseTwinMessage(kFile, kOtherFile), QStringLiteral("どちらかの名前を変えてから、選び直してください")},
             {EventRules::SkippedRowsMessage({QStringLiteral("（飛ばした行）")}),
              QStringLiteral("飛ばした行は「6（chizu.bmp）」のように番号とファイル名で、リハーサルでは「「会社案内」6（chizu.bmp）」のように項目名を付けて並びます。その行のファイルを、フォルダに戻すか選び直してください")},
         }},
        {QStringLiteral("「エラー！」の画面：項目とイベント"),
         {},
         {
             {ListRules::ListFullMessage(), QStringLiteral("項目は 999 個までです。要らない項目を削除してください")},
             {EventRules::ListFullMessage(), QStringLiteral("一つの項目のイベントは 999 個までです。要らないイベントを削除するか、項目を分けてください")},
             {ListRules::CounterLimitMessage(), QStringLiteral("このフォルダでは新しい項目を作れません。別のフォルダに新しく作ってください")},
             {EventRules::SpinsForeverMessage(),
              QStringLiteral("「ローダー」はペルモローダーのことです。エンドレスの前にウエイトを入れてから、再生してください。リハーサルでは、このメッセージは画面の下の帯に出ます")},
             {EventRules::BadEventFileNameMessage(kFile), QStringLiteral("この項目は開けません。リスト編集で項目を削除して、作り直してください")},
             {EventRules::MissingEventFileMessage(),
              QStringLiteral("イベント編集では、続けて次のメッセージが出て、ペルモが終了します。そのイベントのファイルをフォルダに戻すか（ゴミ箱も見てください）、項目を削除して作り直してください")},
             {EventRules::ForcedEndMessage(), QStringLiteral("ペルモが終了します。もう一度起動して、ショーを読み込み直してください。保存はすでに済んでいます")},
         }},
        {QStringLiteral("「エラー！」の画面：ファイルの読み書き"),
         {},
         {
             {EventFile::CreateFailedMessage(kFile), QStringLiteral("フォルダの書き込みの許可とディスクの空きを確かめて、もう一度名前を付けてください")},
             {Records::SaveFailedMessage(kFile), QStringLiteral("前のファイルは残っています。書き込みの許可とディスクの空きを確かめてから、もう一度保存してください")},
             {Records::UnstorableTextMessage(kFile, QStringLiteral("（使えない文字の説明）")), QStringLiteral("説明にある文字を、名前や文章から取り除いてください")},
             {EventFile::RemoveFailedMessage(kFile), QStringLiteral("フォルダの書き込みの許可を確かめてから、もう一度削除してください")},
             {Records::ReadFailedMessage(kFile), QStringLiteral("ファイルの読み取りの許可を確かめてください。直らないときは、そのファイルは使えません")},
             {Records::RepairedMessage(kFile), QStringLiteral("内容を確かめてください。保存すると、読み取れた内容で書き直されます")},
             {ForeignNames::RenameFailedMessage(kFile), QStringLiteral("同じ名前のファイルがあれば、どちらかを別の名前にしてから、もう一度読み込んでください")},
             {ProjectFiles::DriveNotReadyMessage(), QStringLiteral("フォルダ選択で選んだ場所が使えません。USB メモリなどがつながっているか確かめるか、別の場所を選んでください")},
         }},
        {QStringLiteral("確認の画面（「Yes」「No」）"),
         {},
         {
             {TopMenu::QuitQuestion(), QStringLiteral("終わるときは「Yes」。保存はすでに済んでいます")},
             {ListRules::DeleteQuestion(kNumber), QStringLiteral("削除してよければ「Yes」。イベントのファイルはゴミ箱に移ります")},
             {EventRules::DeleteQuestion(kNumber), QStringLiteral("削除してよければ「Yes」")},
             {ForeignNames::RenameQuestion({{{}, kFile}}),
              QStringLiteral("Windows でまとめた zip を展開したフォルダを読み込んだときに、直すファイルの数と名前を付けて出ます。「Yes」で、ショーが使う名前に直ります")},
             {ShowZip::ReplaceQuestion(kFile), QStringLiteral("前の zip ファイルを置き換えてよければ「Yes」。「No」なら何も書きません")},
         }},
        {QStringLiteral("名前や文章を入力したとき"),
         {},
         {
             {Records::TextProblem(QStringLiteral("\"")), QStringLiteral("「\"」を取り除くか、「”」などに置き換えてください")},
             {Records::TextProblem(QStringLiteral("\n")), QStringLiteral("一行で入力してください")},
             {Cp932::UnrepresentableMessage(QStringLiteral("（文字）")), QStringLiteral("示された文字を、別の文字に置き換えてください（絵文字や一部の記号は使えません）")},
         }},
        {QStringLiteral("イベント編集のお知らせ"),
         {},
         {
             {Platform::NoSoundDeviceNotice(),
              QStringLiteral("「トップメニューに戻る」の下に出ます。このパソコンに音を出す装置がない（または使えない）ため、Wav再生のイベントでも音が出ません。"
                             "イベントの編集と保存はいつもどおりできます。スピーカーやヘッドホンをつなぎ、音の設定で出力の装置を選んでから、ペルモを起動し直してください")},
         }},
        {QStringLiteral("ショーの点検"),
         QStringLiteral("「ショーを点検」の一覧と `pelumo --check` の一行一行は、どこのことかで始まります：「%1」「%2」「%3」。そのあとに、次の文が続きます。")
             .arg(ShowCheck::ItemPlace(kNumber, kItem), ShowCheck::EventPlace(kNumber, kItem, kNumber), ShowCheck::StartGraphicPlace()),
         {
             {ShowCheck::NothingFoundMessage(), QStringLiteral("何もしなくてかまいません（`--check` の終了コードは 0）")},
             {ShowCheck::UnopenableItemText({}), QStringLiteral("項目を削除して、作り直してください")},
             {ShowCheck::UnopenableItemText(kFile), QStringLiteral("項目を削除して、作り直してください")},
             {ShowCheck::MissingEventFileText(kFile), QStringLiteral("ファイルを戻すか（ゴミ箱も見てください）、項目を削除して作り直してください")},
             {ShowCheck::UnreadableEventFileText(Records::ReadFailedMessage(kFile)), QStringLiteral("書かれているとおりにしてください")},
             {ShowCheck::DamagedEventFileText(kFile), QStringLiteral("イベント編集で開いて内容を確かめ、「トップメニューに戻る」で保存し直してください")},
             {ShowCheck::StartGraphicText({}, false), QStringLiteral("リスト編集で選び直してください")},
             {ShowCheck::StartGraphicText(kFile, false), QStringLiteral("ファイルをフォルダに戻すか、選び直してください")},
             {ShowCheck::StartGraphicText(kFile, true), QStringLiteral("正しく表示できる gif、jpg、bmp に差し替えるか、選び直してください")},
             {ShowCheck::PictureText({}, false), QStringLiteral("イベント編集で絵を選び直してください")},
             {ShowCheck::PictureText(kFile, false), QStringLiteral("ファイルをフォルダに戻すか、選び直してください")},
             {ShowCheck::PictureText(kFile, true), QStringLiteral("正しく表示できる gif、jpg、bmp に差し替えてください")},
             {ShowCheck::WavText({}, false), QStringLiteral("イベント編集で wav を選び直してください")},
             {ShowCheck::WavText(kFile, false), QStringLiteral("ファイルをフォルダに戻すか、選び直してください")},
             {ShowCheck::WavText(kFile, true), QStringLiteral("その形式の wav に変換して差し替えてください（ペルモの取り込みでも変換できます）")},
             {ShowCheck::EndlessWithoutPauseText(), QStringLiteral("エンドレスの前にウエイトを入れてください")},
             {ShowCheck::NeverReachedText(kNumber, true, kCount), QStringLiteral("必要なイベントをエンドレスより前に移してください")},
             {ShowCheck::NeverReachedText(kNumber, false, kCount), QStringLiteral("空の行にイベントを入れるか、要らないイベントを削除してください")},
             {ShowCheck::NoEventsText(), QStringLiteral("イベントを作るか、項目を削除してください")},
             {ShowCheck::LeftoverText(kFile), QStringLiteral("再生には関係ありません。要らなければ、ファイルマネージャーで削除してかまいません")},
             {ShowCheck::WindowsNameText(kFile, kWhy), QStringLiteral("名前を変えてから、選び直してください。（理由）に入る文は、下の「Windows で使えない名前」の表にあります")},
             {ShowCheck::CaseTwinText(kFile, kOtherFile), QStringLiteral("Windows は大文字と小文字を区別しないので、どちらかの名前を変えてください")},
             {PictureHeaders::FormatMismatchText(kFile, QStringLiteral("（中身の形式）"), QStringLiteral("（名前の形式）")),
              QStringLiteral("例えば中身が JPEG で名前が .bmp のときです。名前を中身に合わせて変えるか、変換してください")},
             {PictureHeaders::JpegCodingText(kFile, QStringLiteral("（種類）")),
              QStringLiteral("（種類）には、プログレッシブ、算術符号化、ロスレス、12 ビット、CMYK（印刷用の色）などが入ります。画像ソフトで普通の JPEG として保存し直すか、ペルモの取り込みで変換してください")},
             {PictureHeaders::OrientationText(kFile), QStringLiteral("スマートフォンで縦に撮った写真によくあります。画像ソフトで回して保存し直すか、ペルモの取り込みで変換してください")},
             {PictureHeaders::BmpKindText(kFile, QStringLiteral("（種類）")),
              QStringLiteral("（種類）には、16 ビット、32 ビット、ビットフィールド形式、JPEG 圧縮、PNG 圧縮が入ります。画像ソフトで 24 ビットの BMP として保存し直してください")},
         }},
        {QStringLiteral("Windows用にまとめる"),
         QStringLiteral("リスト編集の「Windows用にまとめる…」と `pelumo --pack` のメッセージです。まとめられないときは、最初のメッセージのあとに、次の問題が「・」で一行ずつ並びます。"),
         {
             {ShowZip::RefusalMessage({QStringLiteral("（問題）")}), QStringLiteral("並んだ問題を直してから、もう一度まとめてください")},
             {ShowFiles::NoListDataProblem(), QStringLiteral("リスト編集の「OK」で保存してから、まとめてください")},
             {ShowFiles::BadEventFileNameProblem(itemUse, kFile), QStringLiteral("書かれているとおりにしてください")},
             {ShowFiles::MissingEventFileProblem(itemUse, kFile), QStringLiteral("ファイルを戻すか（ゴミ箱も見てください）、項目を削除して作り直してください")},
             {ShowFiles::UnreadableEventFileProblem(itemUse, Records::ReadFailedMessage(kFile)), QStringLiteral("ファイルの読み取りの許可を確かめてください")},
             {ShowFiles::MissingMediaProblem(ShowFiles::Kind::Picture, kFile, eventUse), QStringLiteral("書かれているとおりにしてください。スタートグラフィックのときは「（スタートグラフィックで使用）」と出ます")},
             {ShowFiles::MissingMediaProblem(ShowFiles::Kind::Wav, kFile, eventUse), QStringLiteral("書かれているとおりにしてください")},
             {ShowFiles::FolderNameProblem(kFolder, kWhy), QStringLiteral("zip の中のフォルダの名前になるので、Windows で使える名前に変えてください")},
             {ShowFiles::FileNameProblem(kFile, eventUse, kWhy), QStringLiteral("ファイルマネージャーで名前を変えてから、選び直してください")},
             {ShowFiles::CaseTwinProblem(kFile, kOtherFile), QStringLiteral("書かれているとおりにしてください")},
             {ShowZip::InsideFolderMessage(kFolder), QStringLiteral("デスクトップなど、ショーのフォルダの外に保存してください")},
             {ShowZip::PackedMessage(kCount, QStringLiteral("（zip ファイル）")), QStringLiteral("まとめ終わりました。USB メモリなどで Windows のパソコンに移してください（「Windows のパソコンで再生する」の節）")},
             {ShowZip::StoppedMessage(), QStringLiteral("「中止」を押したときです。もう一度まとめられます")},
             {Records::SaveFailedMessage(QStringLiteral("（zip ファイル）")), QStringLiteral("保存先の書き込みの許可と空きを確かめるか、別の場所を選んでください")},
         }},
        {QStringLiteral("Windows で使えない名前"),
         QStringLiteral("上のメッセージの（理由）には、次の文が入ります。"),
         {
             {ProjectFiles::WindowsNameProblem(QStringLiteral("con.jpg")), QStringLiteral("CON、PRN、AUX、NUL、COM1～COM9、LPT1～LPT9 は、拡張子を付けても使えません")},
             {ProjectFiles::WindowsNameProblem(QStringLiteral("a:b.jpg")), QStringLiteral("`< > : \" / \\ | ? *` は Windows のファイル名に使えません")},
             {ProjectFiles::WindowsNameProblem(QStringLiteral("a\tb.jpg")), QStringLiteral("名前を付け直してください")},
             {ProjectFiles::WindowsNameProblem(QStringLiteral("a.jpg.")), QStringLiteral("最後の「.」か空白を取ってください")},
             {ProjectFiles::WindowsNameProblem(QString(kCount, QLatin1Char('a'))), QStringLiteral("短い名前にしてください")},
             {ShowFiles::NameProblem({}), QStringLiteral("名前を付けてください")},
             {ShowFiles::NameProblem(QStringLiteral("\U0001F600.jpg")), QStringLiteral("絵文字など、日本語版の Windows で使えない文字を取ってください")},
         },
         QStringLiteral("| （理由）に入る文 | すること |")},
        {QStringLiteral("素材の取り込み"),
         QStringLiteral("取り込めなかったファイルには、そのわけが出ます。"),
         {
             {Importer::Heading({{kFile, kFile, {}}, {kFile, kFile, {}}}), QStringLiteral("取り込み終わりました。下にファイルごとの新しい名前が出ます")},
             {Importer::Heading({{kFile, kFile, {}}, {kFile, {}, kWhy}}), QStringLiteral("取り込めなかったファイルのわけは、下の行に出ます")},
             {Importer::Heading({{kFile, {}, kWhy}}), QStringLiteral("下の行のわけを見てください")},
             {Importer::NotFoundReason(), QStringLiteral("ファイルが移されたか消されました。選び直してください")},
             {Importer::NotAFileReason(), QStringLiteral("フォルダの中のファイルを選んでください")},
             {Importer::EmptyReason(), QStringLiteral("中身のあるファイルを選んでください")},
             {Importer::TooLargeReason(), QStringLiteral("小さくしてから取り込んでください")},
             {Importer::UnknownKindReason(), QStringLiteral("書かれている形式のファイルを選んでください")},
             {Converted::UnreadableReason(), QStringLiteral("ファイルの読み取りの許可を確かめてください")},
             {Converted::WriteFailedReason(), QStringLiteral("フォルダの書き込みの許可とディスクの空きを確かめてください")},
             {Converted::CancelledReason(), QStringLiteral("取り込みを中止したときです。ファイルは何も増えていません")},
             {PictureConvert::BrokenReason(), QStringLiteral("書かれているとおりにしてください")},
             {PictureConvert::TooLargeReason(kWidth, kHeight), QStringLiteral("画像ソフトで小さくしてから取り込んでください")},
             {SoundConvert::BrokenReason(), QStringLiteral("書かれているとおりにしてください")},
             {SoundConvert::TooLongReason(), QStringLiteral("音声ソフトで短く切ってから取り込んでください")},
             {SoundConvert::VideoReason(), QStringLiteral("動画から音だけを使うときは、音声ソフトで音を取り出してから取り込んでください")},
             {Codecs::MissingReason("FFmpeg"), QStringLiteral("`sudo apt-get install --reinstall pelumo` で入れ直してください（libheif のときも同じです）")},
         }},
        {QStringLiteral("端末から使ったとき"),
         QStringLiteral("`pelumo --check`、`--pack`、`--import`、`--rehearse` のメッセージです。フォルダを読み込めないときの終了コードは 2 です。"),
         {
             {ListDataFile::NoSuchFolderMessage(kFolder), QStringLiteral("フォルダの名前を確かめてください")},
             {ListDataFile::NotAFolderMessage(kFolder), QStringLiteral("ショーのフォルダを指定してください")},
             {ListDataFile::NoListDataMessage(kFolder), QStringLiteral("ショーのフォルダを指定してください")},
             {ListDataFile::NotAShowMessage(kFile), QStringLiteral("`pelumo` にはショーのフォルダか、その中の LISTDATA.PLD を指定してください")},
             {ListDataFile::NoSuchPathMessage(kFile), QStringLiteral("名前を確かめてください")},
             {ShowCheck::DamagedListMessage(kFile), QStringLiteral("ペルモで読み込み、内容を確かめてからリスト編集の「OK」で保存し直してください")},
             {ShowZip::ZipExistsMessage(QStringLiteral("（zip ファイル）")), QStringLiteral("`--pack` は前のファイルを置き換えません。別の名前を指定してください（終了コード 1）")},
             {Importer::RefusedLine(kFile, kWhy), QStringLiteral("（理由）は上の「素材の取り込み」の表にあります（終了コード 1）")},
         }},
    };
}

QString Cell(QString text)
{
    for (const auto& [number, placeholder] : kNumbers) text.replace(QString::number(number), placeholder);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    text.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    text.replace(QLatin1Char('|'), QStringLiteral("\\|"));
    return text;
}

QString Section()
{
    QStringList lines{kBegin,
                      QString(),
                      QStringLiteral("ペルモが表示するメッセージと、そのときにすることです。"),
                      QStringLiteral("（ファイル名）（番号）などのところには、そのときのファイル名や番号が入ります。"),
                      QStringLiteral("二行に分かれて出るメッセージは、表の中でも行を分けて書いてあります。")};
    for (const Table& table : Tables()) {
        lines << QString() << QStringLiteral("### ") + table.title << QString();
        if (!table.lead.isEmpty()) lines << Cell(table.lead) << QString();
        lines << table.head << QStringLiteral("|---|---|");
        for (const Row& row : table.rows) lines << QStringLiteral("| %1 | %2 |").arg(Cell(row.message), Cell(row.todo));
    }
    lines << QString() << kEnd;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void Print(FILE* to, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, bytes.size(), to);
}

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The guide's section from its first marker to the end of the line of the
// other; negative when the guide has no pair of markers.
std::pair<qsizetype, qsizetype> Span(const QString& guide)
{
    const qsizetype begin = guide.indexOf(kBegin);
    const qsizetype end = guide.indexOf(kEnd, begin);
    if (begin < 0 || end < 0) return {-1, -1};
    return {begin, end + kEnd.size() + 1};
}

// Texts that are captions or data, not messages, though they are sentences.
const QStringList kNotMessages = {
    QStringLiteral("ペルモフォルダ選択（フォルダはダブルクリックして開いてください。）"),
    QStringLiteral("何ミリ秒まちますか？"),
    QStringLiteral("項目を選んでください。"),
};

// Sentences typed in the texts of `src` (QStringLiteral) that no message of
// the section holds, as "file: text".
QStringList Unlisted(const QString& src, const QString& section)
{
    static const QRegularExpression literal(QStringLiteral(R"re(QStringLiteral\(\s*((?:"(?:[^"\\]|\\.)*"\s*)+)\))re"));
    static const QRegularExpression part(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    static const QRegularExpression pieces(QStringLiteral(R"re(%\d|\\r|\\n)re"));
    QStringList unlisted;
    QDirIterator files(src, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString code = ReadText(path);
        for (auto m = literal.globalMatch(code); m.hasNext();) {
            QString text;
            for (auto p = part.globalMatch(m.next().captured(1)); p.hasNext();) text += p.next().captured(1);
            if (!text.contains(QChar(0x3002)) && !text.contains(QChar(0xFF1F))) continue;
            for (QString piece : text.split(pieces, Qt::SkipEmptyParts)) {
                piece.replace(QStringLiteral("\\\""), QStringLiteral("\""));
                const bool caption = std::any_of(kNotMessages.begin(), kNotMessages.end(), [&](const QString& c) { return piece.startsWith(c); });
                if (!caption && !section.contains(piece)) unlisted << path.mid(src.size() + 1) + QStringLiteral(": ") + piece;
            }
        }
    }
    return unlisted;
}

int Check(const QString& guidePath, const QString& src)
{
    const QString section = Section();
    const QString guide = ReadText(guidePath);
    const auto [begin, end] = Span(guide);
    int failed = 0;
    if (begin < 0) {
        Print(stderr, guidePath + QStringLiteral(": no markers of the messages section\n"));
        failed = 1;
    } else if (guide.mid(begin, end - begin) != section) {
        Print(stderr, guidePath + QStringLiteral(": the messages section is not what the program says; run `make guide_update`\n"));
        failed = 1;
    }
    for (const QString& line : Unlisted(src, section)) {
        Print(stderr, line + QStringLiteral("\n  is in no message of the guide; add its message to tools/guide/guide_messages.cpp\n"));
        failed = 1;
    }
    return failed;
}

int Update(const QString& guidePath)
{
    QString guide = ReadText(guidePath);
    const auto [begin, end] = Span(guide);
    if (begin < 0) {
        Print(stderr, guidePath + QStringLiteral(": no markers of the messages section\n"));
        return 1;
    }
    guide.replace(begin, end - begin, Section());
    QFile file(guidePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(guide.toUtf8()) < 0) return 1;
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const QString command = argc > 1 ? QString::fromUtf8(argv[1]) : QString();
    if (argc == 1) {
        Print(stdout, Section());
        return 0;
    }
    if (command == QStringLiteral("--update") && argc == 3) return Update(QString::fromLocal8Bit(argv[2]));
    if (command == QStringLiteral("--check") && argc == 4) return Check(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    Print(stderr, QStringLiteral("usage: guide_messages [--update GUIDE | --check GUIDE SRC]\n"));
    return 2;
}
