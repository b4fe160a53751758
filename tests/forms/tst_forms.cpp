// A photograph shows as the player shows it: a JPEG that is upright only by
// its EXIF orientation stays on its side, so that the preview never hides
// what the audience will see.

#include "forms/Picture.h"
#include "support/Bytes.h"
#include "support/GuiTest.h"

class TestForms : public QObject {
    Q_OBJECT

private slots:
    void orientationIsNotApplied()
    {
        // Red on the left, blue on the right, marked "turn a quarter to the right".
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) picture.setPixel(x, y, qRgb(255, 0, 0));
        QBuffer jpeg;
        jpeg.open(QIODevice::WriteOnly);
        QVERIFY(picture.save(&jpeg, "JPG", 95));
        const QByteArray exif = QByteArray("Exif\0\0", 6) + Bytes::Hex("4D4D002A00000008 0001 0112000300000001 00060000 00000000");
        const QByteArray app1 = Bytes::Hex("FFE1") + char((exif.size() + 2) >> 8) + char((exif.size() + 2) & 0xFF) + exif;
        QTemporaryDir dir;
        QVERIFY(Bytes::Write(dir.filePath("sideways.jpg"), jpeg.data().left(2) + app1 + jpeg.data().mid(2)));

        QLabel area;
        area.resize(80, 80);
        QVERIFY(Picture::Show(&area, dir.filePath("sideways.jpg")));
        const QImage shown = area.pixmap().toImage();
        QVERIFY(qRed(shown.pixel(shown.width() / 8, shown.height() / 8)) > 200);
        QVERIFY(qBlue(shown.pixel(shown.width() * 7 / 8, shown.height() / 8)) > 200);
    }
};

PELUMO_GUI_TEST_MAIN(TestForms)
#include "tst_forms.moc"
