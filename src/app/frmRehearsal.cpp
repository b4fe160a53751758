#include "app/frmRehearsal.h"

#include "core/EventFile.h"
#include "core/EventRules.h"
#include "core/Module1.h"
#include "core/ProjectFiles.h"
#include "core/ShowCheck.h"
#include "dialogs/Messages.h"
#include "forms/FormLayout.h"
#include "forms/Picture.h"
#include "forms/TimerClock.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>

using EventRules::PreviewAction;

namespace {

// The text band is a fifth of the screen's height; its letters and the
// list's are sized by the height too, to be read from a few metres.
constexpr int kBandShare = 5;
constexpr int kBandLettersPerHeight = 24;
constexpr int kListLettersPerHeight = 16;
// How many of the pictures an item shows next are decoded ahead: one more
// than the workers, so that none of them waits for the next picture to be
// asked for.
constexpr int kPicturesAhead = PicturesAhead::kWorkers + 1;
// The pointer hides after this long without moving, as a video player's does.
constexpr int kPointerIdleMs = 2000;

QFont Gothic(int pixels)
{
    QFont font = FormLayout::Font(FormLayout::kGothic, 12, true);
    font.setPixelSize(qMax(pixels, 1));
    return font;
}

void Colours(QWidget* control, const QColor& ground, const QColor& letters)
{
    QPalette palette = control->palette();
    for (const auto role : {QPalette::Window, QPalette::Base}) palette.setColor(role, ground);
    for (const auto role : {QPalette::WindowText, QPalette::Text}) palette.setColor(role, letters);
    palette.setColor(QPalette::Highlight, QColor(40, 90, 170));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

bool IsNextKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Right;
}

}  // namespace

void frmRehearsal::Rehearse(Module1& m, Platform& platform, QWidget* parent, bool windowed)
{
    QString skipped;
    {
        frmRehearsal rehearsal(m, platform, nullptr, parent);
        if (!windowed) rehearsal.setWindowState(Qt::WindowFullScreen);
        rehearsal.exec();
        skipped = rehearsal.SkippedMessage();
    }
    if (!skipped.isEmpty()) Messages::ShowError(m, platform, parent, skipped);
}

frmRehearsal::frmRehearsal(const Module1& m, Platform& platform, PlayClock* clock, QWidget* parent)
    : QDialog(parent),
      m_(m),
      platform_(platform),
      itemNames_(Rehearsal::ItemNames(m)),
      rows_(std::make_unique<EventRows>()),
      ownClock_(clock ? nullptr : std::make_unique<TimerClock>(this, QStringLiteral("Timer1"), [this] { Clock_Event(); })),
      play_(*rows_, clock ? *clock : *ownClock_, *this)
{
    sinceOpened_.start();
    CreateControls();
    ConnectHandlers();
    ShowStartScreen();
}

frmRehearsal::~frmRehearsal()
{
    play_.Stop();  // the sound too
}

void frmRehearsal::CreateControls()
{
    setObjectName(QStringLiteral("frmRehearsal"));
    setWindowTitle(QStringLiteral("ペルモ ショーのリハーサル"));
    setModal(true);
    setFocusPolicy(Qt::StrongFocus);
    Colours(this, Qt::black, Qt::white);
    // On the screen of the window that opened it.
    const QRect screen = (parentWidget() ? parentWidget()->screen() : this->screen())->availableGeometry();
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, QSize(kWindowWidth, kWindowHeight), screen));

    imgPicture = new QLabel(this);
    imgPicture->setObjectName(QStringLiteral("imgPicture"));
    imgPicture->setAlignment(Qt::AlignCenter);

    lblBand = new QLabel(this);
    lblBand->setObjectName(QStringLiteral("lblBand"));
    FormLayout::PlainLabel(lblBand);
    lblBand->setAlignment(Qt::AlignCenter);
    lblBand->setWordWrap(true);
    Colours(lblBand, QColor(24, 24, 24), Qt::white);

    lstItems = new QListWidget(this);
    lstItems->setObjectName(QStringLiteral("lstItems"));
    lstItems->setAccessibleName(QStringLiteral("項目"));
    lstItems->setFrameShape(QFrame::NoFrame);
    lstItems->setSelectionMode(QAbstractItemView::SingleSelection);
    lstItems->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Colours(lstItems, Qt::black, Qt::white);
    for (int i = 0; i < itemNames_.size(); ++i)
        lstItems->addItem(QStringLiteral("%1　%2").arg(i + 1).arg(itemNames_[i]));
    lstItems->setCurrentRow(0);

    pointerIdle_ = new QTimer(this);
    pointerIdle_->setObjectName(QStringLiteral("pointerIdle"));
    pointerIdle_->setSingleShot(true);
    pointerIdle_->setInterval(kPointerIdleMs);
    LayOut();
}

void frmRehearsal::ConnectHandlers()
{
    lstItems->installEventFilter(this);
    connect(lstItems, &QListWidget::itemClicked, this, &frmRehearsal::lstItems_Click);
    // The pointer's moves over any part of the screen.
    for (QWidget* area : {static_cast<QWidget*>(this), static_cast<QWidget*>(imgPicture), static_cast<QWidget*>(lblBand), lstItems->viewport()}) {
        area->setMouseTracking(true);
        if (area != this) area->installEventFilter(this);
    }
    connect(pointerIdle_, &QTimer::timeout, this, [this] { setCursor(Qt::BlankCursor); });
    pointerIdle_->start();
}

// The picture above the band, the list in the picture's place.
void frmRehearsal::LayOut()
{
    const int band = height() / kBandShare;
    imgPicture->setGeometry(0, 0, width(), height() - band);
    lblBand->setGeometry(0, height() - band, width(), band);
    lblBand->setFont(Gothic(height() / kBandLettersPerHeight));
    lblBand->setContentsMargins(band / 4, 0, band / 4, 0);
    lstItems->setGeometry(width() / 8, band / 4, width() * 3 / 4, height() - band * 3 / 2);
    lstItems->setFont(Gothic(height() / kListLettersPerHeight));
    lstItems->setSpacing(height() / kListLettersPerHeight / 8);
}

void frmRehearsal::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
    if (!shownPicture_.isEmpty()) ShowPictureFile(shownPicture_);
}

// ---- the three screens ----

// The start graphic fitted to the screen, the start message in the band. A
// start graphic that is missing or does not decode is listed at the end.
void frmRehearsal::ShowStartScreen()
{
    screen_ = Screen::Start;
    lstItems->hide();
    imgPicture->show();
    SetBand(m_.ListTable[Module1::kStartMessageRow][1]);
    setFocus();
    const QString name = m_.ListTable[Module1::kStartGraphicRow][1];
    if (name.isEmpty()) return;
    const QString path = PathOf(name);
    if (path.isEmpty() || !ShowPictureFile(path)) skipped_.AddStartGraphic(name);
}

// The list, with the start message in the band.
void frmRehearsal::ShowList()
{
    screen_ = Screen::List;
    imgPicture->hide();
    ClearPicture();
    SetBand(m_.ListTable[Module1::kStartMessageRow][1]);
    lstItems->show();
    lstItems->setFocus();
}

// Plays item `item` from row 1. An item whose events cannot be read, or that
// would spin forever, is refused in the band and the list stays.
void frmRehearsal::OpenItem(int item)
{
    if (item < 1 || item > itemNames_.size()) return;
    const QString fileName = m_.ListTable[item][2];
    if (!EventFile::IsEventFileName(fileName)) return SetBand(EventRules::BadEventFileNameMessage(fileName));
    if (!EventFile::Exists(m_.ProjectFolder, fileName)) return SetBand(EventRules::MissingEventFileMessage());
    const FileResult read = EventFile::Read(m_.ProjectFolder, fileName, *rows_);
    if (!read.ok) return SetBand(read.message);
    item_ = item;
    play_.Start(EventRules::kFirstEventRow);
}

// A click opens the item at once.
void frmRehearsal::lstItems_Click(QListWidgetItem* item)
{
    OpenItem(lstItems->row(item) + 1);
}

void frmRehearsal::ChooseByNumber(int digit)
{
    const int item = typing_.Type(digit, sinceOpened_.elapsed(), lstItems->count());
    if (item) lstItems->setCurrentRow(item - 1);
}

// A text waits for the audience; a wait is honoured.
void frmRehearsal::Next_Event()
{
    if (play_.Paused()) play_.Next();
}

void frmRehearsal::Clock_Event()
{
    play_.Tick();
}

void frmRehearsal::ToggleFullScreen()
{
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

// ---- keys and clicks ----

void frmRehearsal::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F11) return ToggleFullScreen();
    if (event->key() == Qt::Key_Escape) return QDialog::keyPressEvent(event);
    if (screen_ == Screen::Start) return ShowList();
    if (screen_ == Screen::Item && IsNextKey(event->key())) return Next_Event();
    QDialog::keyPressEvent(event);
}

void frmRehearsal::mousePressEvent(QMouseEvent* event)
{
    if (screen_ == Screen::Start) return ShowList();
    if (screen_ == Screen::Item && event->button() == Qt::LeftButton) return Next_Event();
    QDialog::mousePressEvent(event);
}

// The second click of a double click that opened an item would pass its
// first text: it is not taken for a click.
void frmRehearsal::mouseDoubleClickEvent(QMouseEvent*) {}

// The list's own keys move the choice; a digit types the item's number, and
// Enter opens the item chosen.
bool frmRehearsal::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) PointerMoved();
    if (watched != lstItems || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        ChooseByNumber(key - Qt::Key_0);
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        OpenItem(lstItems->currentRow() + 1);
        return true;
    }
    return false;
}

// Escape: from an item back to the list at once; from the list or the start
// screen, the rehearsal ends.
void frmRehearsal::reject()
{
    if (screen_ == Screen::Item) return play_.Stop();
    QDialog::reject();
}

void frmRehearsal::mouseMoveEvent(QMouseEvent* event)
{
    PointerMoved();
    QDialog::mouseMoveEvent(event);
}

void frmRehearsal::PointerMoved()
{
    unsetCursor();
    pointerIdle_->start();
}

// The screen saver stays off while the rehearsal is on the screen.
void frmRehearsal::showEvent(QShowEvent* event)
{
    platform_.HoldScreenSaver(true);
    QDialog::showEvent(event);
}

void frmRehearsal::hideEvent(QHideEvent* event)
{
    platform_.HoldScreenSaver(false);
    QDialog::hideEvent(event);
}

void frmRehearsal::closeEvent(QCloseEvent* event)
{
    play_.Stop();
    QDialog::closeEvent(event);
}

// ---- the play of an item ----

void frmRehearsal::Started()
{
    screen_ = Screen::Item;
    lstItems->hide();
    ClearPicture();
    imgPicture->show();
    SetBand(QString());
    setFocus();
}

bool frmRehearsal::Apply(int row)
{
    switch (EventRules::ScreenOf(*rows_, row)) {
    case PreviewAction::ShowText:
        SetBand((*rows_)[row][1]);
        return true;
    case PreviewAction::ShowPicture:
        return ShowPicture(row);
    case PreviewAction::PlayOnce:
        return PlaySound(row, false);
    case PreviewAction::PlayLoop:
        return PlaySound(row, true);
    case PreviewAction::StopSound:
        StopSound();
        return true;
    case PreviewAction::ClearText:
        SetBand(QString());
        return true;
    case PreviewAction::None:
        return true;
    }
    return true;
}

void frmRehearsal::Ended(const QStringList& skippedRows)
{
    StopSound();
    pictures_.Forget();
    skipped_.AddRows(itemNames_.value(item_ - 1), skippedRows);
    ShowList();
}

void frmRehearsal::Refused(const QString& message)
{
    SetBand(message);
}

// The row's picture. One that the next picture replaces at once is only
// checked by its header, and shown after all when that one cannot be. Once a
// picture shows, the next pictures the item shows are decoded meanwhile: not
// before, so that the one wanted now has the processor to itself.
bool frmRehearsal::ShowPicture(int row)
{
    const QString path = PathOf((*rows_)[row][1]);
    if (!Rehearsal::StaysOnScreen(*rows_, row)) {
        if (path.isEmpty() || !Picture::LooksDecodable(path)) return false;
        passedPicture_ = path;
        return true;
    }
    const bool shown = !path.isEmpty() && ShowPictureFile(path);
    if (!shown && !passedPicture_.isEmpty()) ShowPictureFile(passedPicture_);
    PrepareAhead(row);
    return shown;
}

void frmRehearsal::PrepareAhead(int row)
{
    int next = row;
    for (int ahead = 0; ahead < kPicturesAhead; ++ahead) {
        next = Rehearsal::NextPictureShown(*rows_, next);
        if (next == 0) return;
        const QString path = PathOf((*rows_)[next][1]);
        if (!path.isEmpty()) pictures_.Prepare(path, PictureArea());
    }
}

bool frmRehearsal::ShowPictureFile(const QString& path)
{
    const QImage picture = pictures_.Take(path, PictureArea());
    if (picture.isNull()) return false;
    imgPicture->setPixmap(QPixmap::fromImage(picture));
    imgPicture->setAccessibleName(QFileInfo(path).fileName());
    shownPicture_ = path;
    passedPicture_.clear();
    return true;
}

void frmRehearsal::ClearPicture()
{
    Picture::Clear(imgPicture);
    shownPicture_.clear();
    passedPicture_.clear();
}

// A wav the player would not play is skipped, as a missing one.
bool frmRehearsal::PlaySound(int row, bool loop)
{
    const QString path = PathOf((*rows_)[row][1]);
    if (path.isEmpty() || !ShowCheck::IsPlayableWav(path)) return false;
    platform_.sndPlaySoundA(path, loop ? Platform::kSndAsync | Platform::kSndLoop : Platform::kSndAsync);
    return true;
}

void frmRehearsal::StopSound()
{
    platform_.sndPlaySoundA(QString(), 0);
}

// The full path of a file of the folder, any letter case; empty when there is none.
QString frmRehearsal::PathOf(const QString& fileName) const
{
    const QString actual = ProjectFiles::FindFileNoCase(m_.ProjectFolder, fileName);
    return actual.isEmpty() ? QString() : m_.ProjectPath(actual);
}

QSize frmRehearsal::PictureArea() const
{
    return imgPicture->size();
}

void frmRehearsal::SetBand(const QString& text)
{
    lblBand->setText(text);
}
