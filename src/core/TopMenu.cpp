#include "core/TopMenu.h"

namespace TopMenu {

namespace {

// Two sentences go on two lines of the message line.
const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

QString IdleText() { return QStringLiteral("ペルモ トップメニュー　　項目を選んで下さい。"); }

QString NewFolderPrompt()
{
    return QStringLiteral("使用するデータ（画像ファイルや Wav データ）を集めたフォルダを選択してください。") + kCrLf
        + QStringLiteral("（ファイルを選ぶ必要はありません。）");
}

QString LoadFolderPrompt() { return QStringLiteral("リストデータ(listdata.pld)のあるフォルダを選択してください。"); }

QString ListEditingText() { return QStringLiteral("リストデータ編集"); }

QString NoFolderMessage()
{
    return QStringLiteral("データを保存するフォルダが指定されていません。") + kCrLf
        + QStringLiteral("新規にフォルダを指定するか、以前のデータを読み込んでください。");
}

QString ListDataThereMessage()
{
    return QStringLiteral("指定されたフォルダには、すでにデータ(listdata.pld)が存在します。") + kCrLf
        + QStringLiteral("これをロードするか、別のフォルダを選択してください。");
}

QString NoListDataMessage()
{
    return QStringLiteral("選択したフォルダには、リストデータ(listdata.pld)が存在しません。") + kCrLf
        + QStringLiteral("このフォルダに新規に作成するか、別のフォルダを選択してください。");
}

QString NoItemsMessage()
{
    return QStringLiteral("リスト項目がありません。") + kCrLf + QStringLiteral("まず、１つ以上リスト項目を作成して下さい。");
}

QString QuitQuestion() { return QStringLiteral("「ペルモ」を終了します。いいですか？"); }

}  // namespace TopMenu
