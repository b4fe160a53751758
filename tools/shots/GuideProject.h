#pragma once
// The sample project of the user's guide, made anew in a temporary folder for
// each picture, and pictures of its windows as the desktop shows them.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class Module1;
class QWidget;
class frmPelumo1;

namespace GuideProject {

extern const QString kFolderName;

// Makes the guide's working folder empty and removes it again at the end.
class Place {
public:
    Place();
    ~Place();
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;

    bool ok() const { return ok_; }
    // A folder inside, made on the way.
    QString Folder(const QString& name) const;

private:
    void Remove();

    QString root_;
    bool ok_ = false;
};

// The pictures and sounds only: the folder as the user prepares it.
bool WriteMaterials(const QString& folder);
// The whole sample project in `place`; its folder, or empty (after a
// message) when it could not be made.
QString Build(const Place& place);
// The same with two faults for the show check: the map picture is gone, and
// "はじめに" goes back to its start without a wait or a text.
QString BuildFaulty(const Place& place);
// A copy with what fails on the player's Windows PC: a device name, a
// photograph stored sideways, a name in two letter cases.
QString BuildForWindows(const Place& place);
// A copy as it comes back from Windows: a picture's name in CP932 bytes.
QString BuildFromWindows(const Place& place);
// What a user keeps outside the show, in `place`: a phone photo larger than
// the player shows and a screenshot; their paths.
QStringList WriteOutsideFiles(const Place& place);
// What the top menu's load leaves in the shared state.
bool Load(Module1& m, const QString& folder);
// The top menu's load of `folder`, the folder chooser answered as a user
// does; `thenExpect` (if any) queues the answers to what the load asks
// next. Runs inside the event loop.
void LoadInTopMenu(frmPelumo1& topMenu, const QString& folder, const std::function<void()>& thenExpect = {});

// Saves the picture of `windows`, the first at the bottom, once they have
// been shown and painted, and ends the program (0 when saved).
void SaveLater(const std::vector<QWidget*>& windows, const QString& out, int delayMs = 500);
// When the modal window `form` opens over `under`: `prepare` (if any) runs
// on it, and a moment later both are saved (the modal window alone when
// `under` is null).
void SaveModal(QWidget* under, const QString& form, const QString& out,
               std::function<void(QWidget*)> prepare = {});

}  // namespace GuideProject
