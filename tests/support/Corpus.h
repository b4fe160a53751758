#pragma once
// The damaged and hostile project folders of tests/corpus, laid out for a
// test. A corpus folder holds the project's files as they are;
// "_outside_NAME" goes beside the project folder as NAME, and "_setup" makes
// what a repository cannot hold: "link NAME TARGET", "dir NAME",
// "size NAME BYTES", "generate ITEMS EVENTS" (a full list whose items all
// have that many waits).

#include <QString>

namespace Corpus {

// Copies corpus folder `name` (from `corpus`, the tests/corpus folder) to
// `parent`/project, makes what its _setup says, and returns that path.
QString Prepare(const QString& corpus, const QString& name, const QString& parent);

}  // namespace Corpus
