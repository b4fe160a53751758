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
        QPainter(&picture).fillRect(0, 0, 20, 20, Qt::red);
        QBuffer jpeg;
        jpeg.open(QIODevice::WriteOnly);
        QVERIFY(picture.save(&jpeg, "JPG", 95));
        QTemporaryDir dir;
        QVERIFY(Bytes::Write(dir.filePath("sideways.jpg"), Bytes::WithOrientation(jpeg.data(), 6)));

        QLabel area;
        area.resize(80, 80);
        QVERIFY(Picture::Show(&area, dir.filePath("sideways.jpg")));
        const QImage shown = area.pixmap().toImage();
        QVERIFY(qRed(shown.pixel(shown.width() / 8, shown.height() / 8)) > 200);
        QVERIFY(qBlue(shown.pixel(shown.width() * 7 / 8, shown.height() / 8)) > 200);
        // The rehearsal's pictures too: still wider than high.
        const QImage fitted = Picture::DecodeFitted(dir.filePath("sideways.jpg"), QSize(80, 80));
        QCOMPARE(fitted.size(), QSize(80, 40));
    }
};

PELUMO_GUI_TEST_MAIN(TestForms)
#include "tst_forms.moc"
