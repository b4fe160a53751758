// The sample project of the user's guide (docs/guide.md): a folder
// "会社紹介ショー" with a few pictures drawn here and two generated wav files,
// the list of three items with their scripted events. Pictures of windows get
// a title bar painted on (Xvfb has no window manager to draw one), and a modal
// window is drawn over the window that opened it.

#include "shots/GuideProject.h"

#include "app/frmPelumo1.h"
#include "app/frmPelumo5.h"
#include "core/Cp932.h"
#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/ListDataFile.h"
#include "core/Module1.h"
#include "forms/FormLayout.h"
#include "support/Modal.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <utility>

namespace GuideProject {

using namespace EventKinds;

const QString kFolderName = QStringLiteral("会社紹介ショー");

// ---- the folder ----

// The folder lies at a fixed place, /tmp/pelumo-guide (or $TMPDIR), so that
// the folder shown in the windows, and so the pictures, come out the same on
// every run; each program makes it anew and removes it at the end.
Place::Place() : root_(QDir::tempPath() + QStringLiteral("/pelumo-guide"))
{
    Remove();
    ok_ = QDir().mkpath(root_);
    root_ = QFileInfo(root_).canonicalFilePath();
}

Place::~Place() { Remove(); }

QString Place::Folder(const QString& name) const
{
    const QString path = root_ + QLatin1Char('/') + name;
    QDir().mkpath(path);
    return path;
}

void Place::Remove()
{
    // Only a folder of our own, never through a link.
    const QFileInfo info(root_);
    if (info.isDir() && !info.isSymLink() && info.isWritable()) QDir(root_).removeRecursively();
}

namespace {

// ---- pictures ----

QFont Gothic(double points, bool bold = true)
{
    return FormLayout::Font(FormLayout::kGothic, points, bold);
}

// The start graphic: the company's name on a dark blue ground.
QImage LogoPicture()
{
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, 0, 480);
    ground.setColorAt(0, QColor(20, 40, 90));
    ground.setColorAt(1, QColor(40, 100, 170));
    p.fillRect(image.rect(), ground);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 190, 40));
    p.drawEllipse(QPointF(320, 170), 70, 70);
    p.setBrush(QColor(20, 40, 90));
    p.drawEllipse(QPointF(345, 150), 52, 52);
    p.setPen(Qt::white);
    p.setFont(Gothic(40));
    p.drawText(QRect(0, 270, 640, 80), Qt::AlignCenter, QStringLiteral("ペルモ商事"));
    p.setFont(Gothic(20, false));
    p.drawText(QRect(0, 350, 640, 50), Qt::AlignCenter, QStringLiteral("会社紹介ショー"));
    return image;
}

// The head office: a tall building under a blue sky.
QImage BuildingPicture()
{
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 400);
    sky.setColorAt(0, QColor(70, 130, 210));
    sky.setColorAt(1, QColor(200, 225, 245));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(QRectF(60, 60, 120, 40));
    p.drawEllipse(QRectF(110, 45, 90, 40));
    p.drawEllipse(QRectF(450, 90, 130, 36));
    p.fillRect(QRect(0, 400, 640, 80), QColor(90, 150, 80));
    p.fillRect(QRect(0, 420, 640, 30), QColor(150, 150, 150));
    // The building and its windows.
    p.fillRect(QRect(220, 90, 200, 320), QColor(120, 130, 145));
    p.fillRect(QRect(230, 70, 180, 24), QColor(60, 70, 90));
    p.setPen(Qt::white);
    p.setFont(Gothic(13));
    p.drawText(QRect(230, 70, 180, 24), Qt::AlignCenter, QStringLiteral("ペルモ商事"));
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 5; ++col)
            p.fillRect(QRect(238 + col * 37, 108 + row * 30, 26, 18), QColor(180, 215, 240));
    p.fillRect(QRect(295, 375, 50, 35), QColor(50, 60, 70));
    // Two trees beside it.
    for (int x : {150, 480}) {
        p.fillRect(QRect(x - 5, 360, 10, 45), QColor(110, 80, 50));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(50, 130, 60));
        p.drawEllipse(QPointF(x, 345), 35, 35);
    }
    return image;
}

// The way from the station to the head office.
QImage MapPicture()
{
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(240, 236, 222));
    p.fillRect(QRect(430, 0, 210, 150), QColor(190, 225, 180));  // a park
    QPen street(QColor(255, 255, 255), 22);
    p.setPen(street);
    for (int y : {120, 300}) p.drawLine(0, y, 640, y);
    for (int x : {160, 380}) p.drawLine(x, 0, x, 480);
    // The railway with its station.
    p.setPen(QPen(QColor(80, 80, 80), 6));
    p.drawLine(0, 420, 640, 420);
    p.setPen(QPen(Qt::white, 3, Qt::DashLine));
    p.drawLine(0, 420, 640, 420);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 90, 160));
    p.drawRoundedRect(QRectF(110, 395, 110, 50), 6, 6);
    p.setPen(Qt::white);
    p.setFont(Gothic(16));
    p.drawText(QRectF(110, 395, 110, 50), Qt::AlignCenter, QStringLiteral("駅"));
    // The way and the office.
    p.setPen(QPen(QColor(220, 50, 50), 6, Qt::DotLine));
    p.drawPolyline(QPolygon({QPoint(165, 395), QPoint(165, 300), QPoint(380, 300), QPoint(380, 200)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 40, 40));
    p.drawEllipse(QPointF(380, 190), 22, 22);
    p.setPen(QColor(160, 20, 20));
    p.setFont(Gothic(18));
    p.drawText(QRectF(405, 170, 200, 40), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("本社"));
    p.setPen(QColor(60, 110, 60));
    p.setFont(Gothic(14, false));
    p.drawText(QRectF(430, 20, 210, 40), Qt::AlignCenter, QStringLiteral("公園"));
    return image;
}

// The product: a small device under a spotlight.
QImage ProductPicture()
{
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient light(QPointF(320, 200), 360);
    light.setColorAt(0, QColor(255, 250, 235));
    light.setColorAt(1, QColor(150, 120, 90));
    p.fillRect(image.rect(), light);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(QRectF(190, 380, 260, 36));
    p.setBrush(QColor(230, 90, 60));
    p.drawRoundedRect(QRectF(210, 110, 220, 280), 30, 30);
    p.setBrush(QColor(40, 50, 60));
    p.drawRoundedRect(QRectF(235, 140, 170, 110), 10, 10);
    p.setPen(QColor(120, 230, 160));
    p.setFont(Gothic(22));
    p.drawText(QRectF(235, 140, 170, 110), Qt::AlignCenter, QStringLiteral("１号"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 240, 230));
    p.drawEllipse(QPointF(320, 320), 38, 38);
    p.setBrush(QColor(200, 70, 50));
    p.drawEllipse(QPointF(320, 320), 16, 16);
    p.setPen(QColor(90, 50, 30));
    p.setFont(Gothic(20));
    p.drawText(QRect(0, 30, 640, 50), Qt::AlignCenter, QStringLiteral("新製品　ペルモ１号"));
    return image;
}

// ---- sounds ----

// A 16-bit mono PCM wav of the given notes (Hz, seconds), each fading out.
bool SaveWav(const QString& path, std::initializer_list<std::pair<double, double>> notes)
{
    constexpr int kRate = 22050;
    QByteArray samples;
    for (const auto& [hz, seconds] : notes) {
        const int n = int(kRate * seconds);
        for (int i = 0; i < n; ++i) {
            const double t = double(i) / kRate;
            const double fade = std::exp(-3.0 * t / seconds);
            const auto v = qint16(9000 * fade * std::sin(2 * M_PI * hz * t));
            samples.append(char(v & 0xff));
            samples.append(char((v >> 8) & 0xff));
        }
    }
    QByteArray out;
    const auto u32 = [&out](quint32 v) {
        for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xff));
    };
    const auto u16 = [&out](quint16 v) {
        out.append(char(v & 0xff));
        out.append(char(v >> 8));
    };
    out.append("RIFF");
    u32(36 + samples.size());
    out.append("WAVEfmt ");
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    out.append("data");
    u32(samples.size());
    out.append(samples);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(out) == out.size();
}

// ---- the show ----

struct Event {
    QString kind;
    QString parameter;
};

const QString kStartGraphic = QStringLiteral("logo.bmp");
const QString kStartMessage = QStringLiteral("ペルモ商事へようこそ。見たい項目を選んでください。");

std::vector<std::pair<QString, std::vector<Event>>> Items()
{
    return {
        {QStringLiteral("はじめに"),
         {{kPicture, kStartGraphic},
          {kWavOnce, QStringLiteral("chime.wav")},
          {kText, QStringLiteral("ようこそ。ペルモ商事の会社紹介ショーです。")},
          {kWait, QStringLiteral("1500")},
          {kText, QStringLiteral("「会社案内」と「製品紹介」をご覧ください。")}}},
        {QStringLiteral("会社案内"),
         {{kText, QStringLiteral("ペルモ商事の本社ビルです。駅から歩いて５分です。")},
          {kPicture, QStringLiteral("honsha.jpg")},
          {kWavLoop, QStringLiteral("bgm.wav")},
          {kWait, QStringLiteral("1500")},
          {kText, QStringLiteral("本社までの地図です。")},
          {kPicture, QStringLiteral("chizu.bmp")},
          {kWait, QStringLiteral("1500")},
          {kWavStop, QString()},
          {kClearText, QString()},
          {kEndless, kBackToStart}}},
        {QStringLiteral("製品紹介"),
         {{kPicture, QStringLiteral("seihin.jpg")},
          {kText, QStringLiteral("新製品「ペルモ１号」。ボタン一つで動きます。")},
          {kWavOnce, QStringLiteral("chime.wav")},
          {kWait, QStringLiteral("1500")},
          {kClearText, QString()},
          {kWait, QStringLiteral("1500")},
          {kEndless, kBackToStart}}},
    };
}

// The items' event files and the list data file, with `items` as the events.
bool WriteShow(const QString& folder, const std::vector<std::pair<QString, std::vector<Event>>>& items)
{
    Module1 m;
    m.PrepareNewList();
    m.ProjectFolder = folder;
    int row = 0;
    for (const auto& [name, events] : items) {
        ++row;
        m.ListTable[row][1] = name;
        m.ListTable[row][2] = QStringLiteral("%1.pev").arg(row);
        m.ClearEventTable();
        for (size_t e = 0; e < events.size(); ++e) {
            m.EventTable[e + 1][0] = events[e].kind;
            m.EventTable[e + 1][1] = events[e].parameter;
        }
        m.ItemIndex = qint16(row);
        if (!EventFile::Write(m.ProjectFolder, EventFile::NameOf(m), m.EventTable).ok) return false;
    }
    m.LastEventFileNumber = qint16(row);
    m.ListTable[Module1::kStartGraphicRow][1] = kStartGraphic;
    m.ListTable[Module1::kStartMessageRow][1] = kStartMessage;
    return ListDataFile::Write(m).ok;
}

}  // namespace

bool WriteMaterials(const QString& folder)
{
    const auto at = [&](const char* name) { return folder + QLatin1Char('/') + QLatin1String(name); };
    return LogoPicture().save(at("logo.bmp"), "BMP") && BuildingPicture().save(at("honsha.jpg"), "JPG", 90)
        && MapPicture().save(at("chizu.bmp"), "BMP") && ProductPicture().save(at("seihin.jpg"), "JPG", 90)
        && SaveWav(at("chime.wav"), {{880, 0.35}, {660, 0.6}})
        && SaveWav(at("bgm.wav"), {{523, 0.3}, {659, 0.3}, {784, 0.3}, {659, 0.3}});
}

// `folder` when it was made, or empty after a message.
QString Made(const QString& folder, bool made)
{
    if (!made) std::fprintf(stderr, "could not prepare the sample project\n");
    return made ? folder : QString();
}

QString Build(const Place& place)
{
    const QString folder = place.Folder(kFolderName);
    return Made(folder, place.ok() && WriteMaterials(folder) && WriteShow(folder, Items()));
}

// A second copy with two faults for the show check: the map picture is gone,
// and "はじめに" goes back to its start without a wait or a text.
QString BuildFaulty(const Place& place)
{
    const QString folder = place.Folder(QStringLiteral("点検の例"));
    auto items = Items();
    items[0].second = {{kPicture, kStartGraphic}, {kWavLoop, QStringLiteral("bgm.wav")}, {kEndless, kBackToStart}};
    return Made(folder, place.ok() && WriteMaterials(folder) && QFile::remove(folder + QStringLiteral("/chizu.bmp")) && WriteShow(folder, items));
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A copy as it would fail on the player's Windows PC: "会社案内" shows a
// picture named as a device, and one stored sideways with an EXIF
// orientation; "製品紹介" names its picture in two letter cases.
QString BuildForWindows(const Place& place)
{
    const QString folder = place.Folder(QStringLiteral("Windowsの点検の例"));
    auto items = Items();
    items[1].second.insert(items[1].second.begin() + 2, {{kPicture, QStringLiteral("CON.jpg")}, {kPicture, QStringLiteral("yokomuki.jpg")}});
    items[2].second.insert(items[2].second.begin() + 1, {kPicture, QStringLiteral("Seihin.jpg")});
    // Orientation 6 in a big-endian EXIF block right after the start of the JPEG.
    const QByteArray exif = QByteArray::fromHex("FFE10022457869660000"
                                                "4D4D002A00000008"
                                                "0001011200030000000100060000"
                                                "00000000");
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(folder + QLatin1Char('/') + name);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    if (!place.ok() || !WriteMaterials(folder) || !WriteShow(folder, items)) return Made(folder, false);
    const QByteArray jpeg = ReadAll(folder + QStringLiteral("/honsha.jpg"));
    return Made(folder, write(QStringLiteral("CON.jpg"), jpeg) && write(QStringLiteral("yokomuki.jpg"), jpeg.left(2) + exif + jpeg.mid(2)) && write(QStringLiteral("Seihin.jpg"), ReadAll(folder + QStringLiteral("/seihin.jpg"))));
}

// A copy as it comes back from a Windows PC through a zip: the product's
// picture is named "製品.jpg" in the show, and the file's name is those
// characters' CP932 bytes.
QString BuildFromWindows(const Place& place)
{
    const QString folder = place.Folder(QStringLiteral("Windowsから戻った例"));
    auto items = Items();
    items[2].second[0].parameter = QStringLiteral("製品.jpg");
    const QByteArray cp932Name = QFile::encodeName(folder) + '/' + Cp932::Encode(QStringLiteral("製品.jpg")).bytes;
    return Made(folder, place.ok() && WriteMaterials(folder) && WriteShow(folder, items) && ::rename(QFile::encodeName(folder + QStringLiteral("/seihin.jpg")).constData(), cp932Name.constData()) == 0);
}

QStringList WriteOutsideFiles(const Place& place)
{
    const QString folder = place.Folder(QStringLiteral("写真"));
    const QString photo = folder + QStringLiteral("/IMG_0412.JPG");
    const QString screenshot = folder + QStringLiteral("/スクリーンショット.png");
    if (!ProductPicture().scaled(2016, 1512).save(photo, "JPG", 90) || !MapPicture().save(screenshot, "PNG")) return {};
    return {photo, screenshot};
}

bool Load(Module1& m, const QString& folder)
{
    return ListDataFile::LoadProject(m, folder, ListDataFile::LoadFor::Editing).result.ok;
}

// The top menu's load of `folder`, the folder chooser answered as a user
// does: the folder opened, OK. Runs inside the event loop.
void LoadInTopMenu(frmPelumo1& topMenu, const QString& folder, const std::function<void()>& thenExpect)
{
    Modal::Expect(QStringLiteral("frmPelumo5"), [folder](QWidget* w) {
        auto* chooser = static_cast<frmPelumo5*>(w);
        chooser->OpenFolder(folder);
        chooser->findChild<QPushButton*>("cmdOk")->click();
    });
    if (thenExpect) thenExpect();
    topMenu.findChild<QPushButton*>("cmdLoad")->click();
}

namespace {

// ---- pictures of windows ----

constexpr int kTitleHeight = 26;

// The window as the desktop shows it: its contents under a title bar with
// its caption, in a thin frame.
QImage Framed(QWidget* window)
{
    const QImage contents = window->grab().toImage();
    QImage image(contents.width() + 2, contents.height() + kTitleHeight + 1, QImage::Format_ARGB32);
    image.fill(QColor(70, 80, 95));
    QPainter p(&image);
    QLinearGradient bar(0, 0, 0, kTitleHeight);
    bar.setColorAt(0, QColor(95, 110, 135));
    bar.setColorAt(1, QColor(65, 78, 100));
    p.fillRect(QRect(1, 1, image.width() - 2, kTitleHeight - 1), bar);
    p.setPen(Qt::white);
    p.setFont(Gothic(9.75));
    p.drawText(QRect(10, 0, image.width() - 20, kTitleHeight), Qt::AlignVCenter | Qt::AlignLeft,
               window->windowTitle());
    p.drawImage(1, kTitleHeight, contents);
    return image;
}

// Windows drawn one over the other at their places on the screen, the first
// at the bottom; the upper ones with a shadow.
QImage Stacked(const std::vector<QWidget*>& windows)
{
    std::vector<std::pair<QImage, QPoint>> layers;
    QRect all;
    for (QWidget* w : windows) {
        QImage image = Framed(w);
        const QPoint at = w->mapToGlobal(QPoint(0, 0)) - QPoint(1, kTitleHeight);
        all |= QRect(at, image.size()).adjusted(0, 0, 6, 6);
        layers.emplace_back(std::move(image), at);
    }
    QImage canvas(all.size(), QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    for (size_t i = 0; i < layers.size(); ++i) {
        const QPoint at = layers[i].second - all.topLeft();
        if (i > 0)
            for (int d = 6; d > 0; --d)
                p.fillRect(QRect(at + QPoint(d, d), layers[i].first.size()), QColor(0, 0, 0, 14));
        p.drawImage(at, layers[i].first);
    }
    return canvas;
}

// Saves the picture of `windows` and ends the program (0 when saved).
void SaveNow(const std::vector<QWidget*>& windows, const QString& out)
{
    for (QWidget* w : windows) w->repaint();
    const bool saved = Stacked(windows).save(out, "PNG");
    if (!saved) std::fprintf(stderr, "could not save %s\n", qPrintable(out));
    QApplication::exit(saved ? 0 : 1);
}

}  // namespace

void SaveLater(const std::vector<QWidget*>& windows, const QString& out, int delayMs)
{
    QTimer::singleShot(delayMs, qApp, [windows, out] { SaveNow(windows, out); });
}

void SaveModal(QWidget* under, const QString& form, const QString& out,
               std::function<void(QWidget*)> prepare)
{
    Modal::Expect(form, [=](QWidget* w) {
        if (prepare) prepare(w);
        // The answer's caller closes the window after this returns; the
        // picture is taken inside the window's own event loop instead.
        QEventLoop settle;
        QTimer::singleShot(300, &settle, &QEventLoop::quit);
        settle.exec();
        SaveNow(under ? std::vector<QWidget*>{under, w} : std::vector<QWidget*>{w}, out);
    });
}

}  // namespace GuideProject
