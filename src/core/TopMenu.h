#pragma once
// What the top menu says: the texts of its message line, which tell what to
// do next or why a command stopped, and its question before the end.

#include <QString>

namespace TopMenu {

// The message line while nothing is asked of the user.
QString IdleText();
// While the folder chooser is open for a new project, and for a load.
QString NewFolderPrompt();
QString LoadFolderPrompt();
// While the list editor of a new project is open.
QString ListEditingText();

// Why a command stopped: no folder yet; a new project in a folder that has
// list data; a load from a folder without it; the event editor without items.
QString NoFolderMessage();
QString ListDataThereMessage();
QString NoListDataMessage();
QString NoItemsMessage();

// "「ペルモ」を終了します。いいですか？"
QString QuitQuestion();

}  // namespace TopMenu
