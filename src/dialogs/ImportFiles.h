#pragma once
// Bringing the user's own pictures and sounds into the project folder from a
// window: the desktop's file dialog to choose them, the import with a
// progress dialog that can stop it, and one message at the end that says what
// came in under which name and what did not, and why.

#include "media/Importer.h"

#include <QString>
#include <QStringList>

class Module1;
class Platform;
class QWidget;

namespace ImportFiles {

enum class Material {
    Pictures,
    Sounds
};

// The files the user chooses, starting in their Pictures or Music folder;
// empty when they cancel.
QStringList Choose(Platform& platform, QWidget* parent, Material material);

// Brings `sources` into the project folder, with a progress dialog past
// half a second whose "中止" stops the import.
QList<Importer::Result> Import(const Module1& m, QWidget* parent, const QStringList& sources);

// Tells the user what came in under which name and what did not, and why:
// in the message box, or for many files in a list.
void Tell(Module1& m, Platform& platform, QWidget* parent, const QList<Importer::Result>& results);

}  // namespace ImportFiles
