#pragma once
// The damaged and hostile project folders of tests/corpus, laid out for a test:
// the files of a corpus folder as they are, "_outside_NAME" beside the project
// folder as NAME, and what its "_setup" says, one per line: "link NAME TARGET",
// "dir NAME", "size NAME BYTES", "generate ITEMS EVENTS" (a full list whose
// items all have that many waits), "picture NAME" (a small picture in the
// format its name says).

#include <QString>

namespace Corpus {

// Lays out corpus folder `name` of `corpus` as `parent`/project and returns that path.
QString Prepare(const QString& corpus, const QString& name, const QString& parent);

}  // namespace Corpus
