#pragma once
// The rehearsal: the whole show full screen, as the audience will see it,
// played by the rules of the editor's own play (ShowPlay). It comes close to
// the player; it does not replace it. Three screens: the start screen (start
// graphic and start message), the list of items, and an item playing. Nothing
// in the project folder is written.

#include "app/PicturesAhead.h"
#include "core/Rehearsal.h"
#include "core/ShowPlay.h"

#include <QDialog>
#include <QElapsedTimer>

#include <memory>

class Module1;
class Platform;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QTimer;
class TimerClock;

class frmRehearsal : public QDialog, private PlayView {
    Q_OBJECT
public:
    enum class Screen {
        Start,
        List,
        Item
    };

    // The window's size when it is not full screen.
    static constexpr int kWindowWidth = 1280;
    static constexpr int kWindowHeight = 960;

    // Rehearses the show loaded in `m`, full screen on the screen of `parent`
    // (or in a window when `windowed`); when it ends, the files it skipped
    // are listed in frmError.
    static void Rehearse(Module1& m, Platform& platform, QWidget* parent, bool windowed);

    // `clock` times the waits of an item; the window's own timer when null.
    frmRehearsal(const Module1& m, Platform& platform, PlayClock* clock = nullptr, QWidget* parent = nullptr);
    ~frmRehearsal() override;

    Screen Showing() const { return screen_; }
    // The files skipped so far as the end lists them; empty when none was.
    QString SkippedMessage() const { return skipped_.Message(); }
    // The clock's wait is over: what a clock given to the constructor calls
    // when its wait ends (the window's own timer calls it itself).
    void Clock_Event();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QLabel* imgPicture;
    QLabel* lblBand;
    QListWidget* lstItems;

    void CreateControls();
    void ConnectHandlers();
    void LayOut();

    void ShowStartScreen();
    void ShowList();
    void OpenItem(int item);
    void lstItems_Click(QListWidgetItem* item);
    void ChooseByNumber(int digit);
    void Next_Event();
    void ToggleFullScreen();
    void PointerMoved();

    // What the play asks of the window.
    void Started() override;
    bool Apply(int row) override;
    void Ended(const QStringList& skippedRows) override;
    void Refused(const QString& message) override;

    bool ShowPicture(int row);
    void PrepareAhead(int row);
    bool ShowPictureFile(const QString& path);
    void ClearPicture();
    bool PlaySound(int row, bool loop);
    void StopSound();
    QString PathOf(const QString& fileName) const;
    QSize PictureArea() const;
    void SetBand(const QString& text);

    const Module1& m_;
    Platform& platform_;
    const QStringList itemNames_;
    std::unique_ptr<EventRows> rows_;  // the events of the item playing
    std::unique_ptr<TimerClock> ownClock_;
    ShowPlay play_;
    PicturesAhead pictures_;
    Rehearsal::Skipped skipped_;
    Rehearsal::NumberTyping typing_;
    QElapsedTimer sinceOpened_;  // the time of each digit typed
    QTimer* pointerIdle_;        // hides the pointer when it has not moved for a while
    Screen screen_ = Screen::Start;
    int item_ = 0;           // the item playing
    QString shownPicture_;   // the path of the picture shown, fitted again when the screen changes size
    QString passedPicture_;  // a picture replaced at once, not decoded, shown if its replacement cannot be
};
